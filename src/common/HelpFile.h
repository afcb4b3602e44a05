#pragma once

#include <windows.h>

// Opens the help file INSTALL.CHM beside Install.ini with the shell's "open", shown normally.
// What the shell does with it is its own business.
void OpenHelpFile(HWND owner);
