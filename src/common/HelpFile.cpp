#include "common/HelpFile.h"

#include "common/CurrentDir.h"

#include <shellapi.h>

void OpenHelpFile(HWND owner) {
    // The shell reports a missing file or association itself; nothing more to do here.
    ::ShellExecuteW(owner, L"open", (GetCurrentDirSlash() + L"INSTALL.CHM").c_str(), nullptr,
                    nullptr, SW_SHOWNORMAL);
}
