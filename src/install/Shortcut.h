#pragma once

#include <string>

// A shell link file (.lnk) as the installation run saves it for a desktop item.
struct ShortcutSpec {
    std::wstring file;      // where the .lnk is saved
    std::wstring target;    // the program alone
    std::wstring arguments; // its arguments, apart from the target
    std::wstring workingDirectory;
    int showCommand = 1; // 1 shows the program's window normally, 0 hides it
};

// Saves the shortcut through the shell's link object; the calling thread has initialised COM.
// True when the file was saved.
bool SaveShortcut(const ShortcutSpec& spec);
