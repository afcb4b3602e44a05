#pragma once

#include "ContainerBuilder.h"

#include "archive/ArchiveText.h"

#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;

// A fresh directory for one test, removed on destruction with everything in it, read-only
// files included.
class CScratchDir {
public:
    CScratchDir();
    ~CScratchDir();
    CScratchDir(const CScratchDir&) = delete;
    CScratchDir& operator=(const CScratchDir&) = delete;

    const fs::path& Path() const { return m_path; }
    fs::path operator/(const fs::path& relative) const { return m_path / relative; }

private:
    fs::path m_path;
};

void WriteBytes(const fs::path& path, std::span<const std::uint8_t> bytes);
Bytes ReadBytes(const fs::path& path);
// The names in a directory, sorted: shows leftovers such as temporary files.
std::vector<std::string> NamesIn(const fs::path& directory);

// A file's state as the platform reports it, not through the archive code.
struct FileFacts {
    std::uint64_t lastWrite = 0; // FILETIME
    bool readOnly = false;
    std::uint32_t attributes = 0; // Windows attribute bits; on other systems read-only only
};

FileFacts ProbeFile(const fs::path& path);
void SetReadOnly(const fs::path& path, bool readOnly);
void SetLastWriteTime(const fs::path& path, std::uint64_t fileTime);
