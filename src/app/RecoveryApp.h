#pragma once

#include "common/AppFlags.h"

#include <windows.h>

#include <string>

// The application object: start-up, and the flags that the pages and runs read. Start-up sets
// the Windows-version flags and hands both groups of flags down to the wizard (or the direct
// installation); nothing below the program frame reaches for the application object.
class CRecoveryApp : public WindowsVersionFlags, public PartitionFlags {
public:
    // Always FALSE: the program is dialog based and ends when the wizard (or the direct
    // installation) has finished.
    BOOL InitInstance();

    // The administrator check; tests put a check of their own here.
    BOOL (*m_pfnIsUserAdministrator)() = nullptr;

    // Sets m_bNt5 and m_bWin2000.
    void ReadWindowsVersion();

private:
    bool IsAnotherInstanceRunning(const std::wstring& title) const;
    void RunWizard();

    HBITMAP m_hbmWatermark = nullptr;
    HBITMAP m_hbmHeader = nullptr;
};

extern CRecoveryApp theApp;

// The version text that the About box shows; the wizard sheet fills it.
extern std::wstring g_strVersion;
