#pragma once

#include "archive/ArchiveFile.h"
#include "archive/ArchiveFormat.h"

#include <cstdint>
#include <functional>
#include <memory>

// Inflates entries of one container through two fixed buffers, one block at a time, whatever
// the entry's size. The blocks of an entry must form exactly one zlib stream that ends in the
// last block; each block is consumed whole by one inflation step with one output buffer of room.
class CEntryInflater {
public:
    // Receives each block's output; returns false to stop the inflation.
    using Sink = std::function<bool(const std::uint8_t* data, std::uint32_t size)>;

    CEntryInflater();
    ~CEntryInflater();
    CEntryInflater(const CEntryInflater&) = delete;
    CEntryInflater& operator=(const CEntryInflater&) = delete;

    // True when the entry's framing and stream are sound, the sink took every block and the
    // output is exactly the entry's file size. Output beyond the file size is never passed on.
    bool Inflate(CArchiveFile& container, const ArchiveEntryRecord& entry, const Sink& sink);

private:
    bool ReadBlock(CArchiveFile& container, std::uint64_t& remaining, std::uint32_t& length);

    std::unique_ptr<std::uint8_t[]> m_input;
    std::unique_ptr<std::uint8_t[]> m_output;
};
