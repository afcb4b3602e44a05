#pragma once

#include "archive/ArchiveFormat.h"
#include "archive/StagedFile.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// An entry's name (relative, backslash-separated), attributes and times.
struct ArchiveEntryInfo {
    std::u16string name;
    std::uint32_t attributes = ArchiveAttributes::Normal;
    ArchiveFileTimes times;
};

// Writes a new container in the form the reader accepts: one zlib stream per entry, cut into
// length-prefixed blocks that each carry the deflated form of at most 1 MiB of the entry, the
// stream ending in the last block; an empty entry has no blocks. The container replaces the file
// at its path only when Finish succeeds. Names are written as given: callers that take them
// from elsewhere check them with IsSafeEntryName. Failures leave a code in the thread's
// last-error value, as the reader's do.
class CArchiveWriter {
public:
    // Fills 'buffer' with the entry's next 'size' bytes, or fails.
    using Source = std::function<bool(std::uint8_t* buffer, std::uint32_t size)>;

    explicit CArchiveWriter(int compressionLevel = -1); // zlib's levels; -1 is its default
    ~CArchiveWriter();
    CArchiveWriter(const CArchiveWriter&) = delete;
    CArchiveWriter& operator=(const CArchiveWriter&) = delete;

    bool Create(std::u16string_view path);
    bool AddEntry(const ArchiveEntryInfo& info, std::uint64_t size, const Source& source);
    bool AddEntry(const ArchiveEntryInfo& info, std::span<const std::uint8_t> data);
    bool Finish();

private:
    bool WriteStream(std::uint64_t size, const Source& source, std::uint64_t& storedSize);
    bool Write(const void* data, std::uint32_t size);

    int m_level;
    std::unique_ptr<CStagedFile> m_file;
    std::vector<std::uint8_t> m_directory;
    std::uint64_t m_position = 0;
    std::unique_ptr<std::uint8_t[]> m_input;
    std::unique_ptr<std::uint8_t[]> m_block; // length prefix and payload
};
