#pragma once

#include <string>

// The process's current directory. The system never changes it: it is the directory that
// holds Install.ini, and the base of the program's own configuration paths.

// As the platform gives it: no backslash added, a root directory keeps its own (C:\).
std::wstring GetCurrentDir();

// With one backslash at the end (C:\ stays C:\, C:\src becomes C:\src\).
std::wstring GetCurrentDirSlash();

// The program's configuration file: GetCurrentDirSlash() + "Install.ini".
std::wstring InstallIniPath();
