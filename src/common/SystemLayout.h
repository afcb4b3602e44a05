#pragma once

#include <string>

// Where the installed Windows keeps what the runs touch. Windows 2000 lives in C:\Winnt, every
// other Windows the program serves in C:\Windows; `win2000` is the application's m_bWin2000 and
// `nt5` its m_bNt5. The names are fixed rather than asked of the platform, because the recovery
// data (bundles, scripts, INF files) is written for these places.
struct SystemLayout {
    bool win2000 = false;
    bool nt5 = false;

    // "C:\Winnt" or "C:\Windows", without a backslash at the end.
    std::wstring WindowsDir() const;
    // The Windows directory's "Temp".
    std::wstring TempDir() const;
    // The Windows directory's "inf\asm", which holds the bundle files.
    std::wstring BundleDir() const;
    // The reboot flag file "brelmak.flg" in the Windows directory.
    std::wstring RebootFlagPath() const;
    // The shell library whose icons the file restore shows: below "system" on the Windows
    // versions before 5, below "system32" of the Windows directory otherwise.
    std::wstring Shell32Path() const;
};

// The Windows directory as the platform reports it (GetWindowsDirectoryW); empty when it cannot
// tell. The desktop shortcuts live below it, wherever Windows is installed.
std::wstring PlatformWindowsDir();

// The folder of the desktop shortcuts: "DeskLnk" in the platform's Windows directory.
std::wstring DesktopLinkDir();
