#pragma once

#include "archive/ContainerBuilder.h"
#include "restore/RestoreRecords.h"

#include <string>
#include <vector>

// Fixtures of the restore tests: containers written from (name, content) pairs, and a walk of
// an inventory into readable lines.

struct RestoreEntry {
    std::u16string name;
    std::string content;
    std::uint32_t attributes = ArchiveAttributes::Archive;
};

// Writes a sound container with the entries, in order.
void WriteContainer(const std::wstring& path, const std::vector<RestoreEntry>& entries);

// Writes UTF-16LE text with its byte-order mark.
void WriteUtf16(const std::wstring& path, const std::wstring& text);

// "folder path|file name|source file name" for every file, walking folders depth first, files
// before subfolders; the root's path is "ROOT".
std::vector<std::wstring> InventoryLines(const CRestoreFolder& root);

// The file of the folder whose name is `name`, or nullptr.
CRestoreFile* FindFile(const CRestoreFolder& folder, const std::wstring& name);
