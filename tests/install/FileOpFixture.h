#pragma once

#include "install/FileOpDlg.h"
#include "support/FileBytes.h"
#include "support/TempDir.h"

#include <windows.h>

#include <string>

// What the tests of the file-operation dialog share.

// UTF-16LE bytes of a text, without a byte-order mark: the form of line-file scripts.
std::string Utf16(const std::wstring& text);

// Runs one script in the dialog on this thread, as the bundle pass does, with the texts of
// the current directory's Install.ini (none: the defaults).
void RunFileOp(int operation, const std::wstring& script, const std::wstring& sourceRoot,
               const std::wstring& extractRoot = L"C:\\", const SystemLayout& layout = {});

// Sets a file's last-write time to `utcSeconds` after 1970.
void SetWriteTime(const std::wstring& path, std::int64_t utcSeconds);
std::int64_t WriteTimeOf(const std::wstring& path);

DWORD AttributesOfFile(const std::wstring& path);
bool Exists(const std::wstring& path);
// The names in a directory, sorted, "." and ".." left out.
std::vector<std::wstring> NamesIn(const std::wstring& directory);
