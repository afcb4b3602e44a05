#pragma once

#include "install/FileOpDlg.h"
#include "support/FileBytes.h"
#include "support/TempDir.h"

#include <windows.h>

#include <string>

// What the tests of the file-operation dialog share.

// Runs one script in the dialog on this thread, as the bundle pass does, with the texts of
// the current directory's Install.ini (none: the defaults).
void RunFileOp(int operation, const std::wstring& script, const std::wstring& sourceRoot,
               const std::wstring& extractRoot = L"C:\\", const SystemLayout& layout = {});
