#pragma once

#include "ContainerBuilder.h"

#include "archive/ArchiveText.h"

#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;

// Files of the archive tests, written and read as bytes, and their state as the platform
// reports it.

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
