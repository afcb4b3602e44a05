#pragma once

#include <windows.h>

#include <string>

// The application object: start-up, and the flags that the pages and workers read.
class CRecoveryApp {
public:
    // Always FALSE: the program is dialog based and ends when the wizard (or the direct
    // installation) has finished.
    BOOL InitInstance();

    int m_bNt5 = 0;     // Windows major version 5
    int m_bWin2000 = 0; // Windows 5.0: system paths below C:\Winnt
    int m_bMayExposePartition = 0;
    int m_bPartitionExposed = 0;

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

// A value of Install.ini's [General] section, or `def`.
std::wstring GeneralValue(const wchar_t* key, const std::wstring& def);
// A value of Install.ini's [General] section, or the text of string `defaultId`.
std::wstring GeneralText(const wchar_t* key, UINT defaultId);
// A text of Install.ini's language section, or the text of string `defaultId`.
std::wstring LanguageText(const std::wstring& language, const wchar_t* key, UINT defaultId);
// A message box with the [General] text of `key` (default string `defaultId`), captioned with
// the configured title.
void ShowGeneralMessage(HWND owner, const wchar_t* key, UINT defaultId, UINT icon);
