#pragma once

#include "support/FileBytes.h"
#include "support/TempDir.h"

#include <windows.h>

#include <string>

// Builds trees of files for the tree operations and checks what they left.

// Writes `content` to `root\relative`, creating `root` and the directories on the way.
void WriteTreeFile(const std::wstring& root, const std::wstring& relative,
                   const std::string& content);
void MakeDirectory(const std::wstring& path);
// The number of files and directories below `root`, counted independently of the system.
int CountEntriesBelow(const std::wstring& root);
