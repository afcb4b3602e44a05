#pragma once

#include <windows.h>

#include <string>

// The texts and settings of Install.ini (beside the program, InstallIniPath()), read with the
// system's own reader GetIniValue. Platform reads of profile files are in PrivateProfile.h.

// A value of the [General] section, or `def`.
std::wstring GeneralValue(const wchar_t* key, const std::wstring& def);
// A value of the [General] section, or the text of string `defaultId`.
std::wstring GeneralText(const wchar_t* key, UINT defaultId);
// A switch-like value of the [General] section, lower-cased so that "ON" counts as "on".
std::wstring GeneralSwitch(const wchar_t* key, const wchar_t* def);
// A [General] value converted as the C runtime's wcstol does: text that is no number gives 0.
long GeneralNumber(const wchar_t* key, const wchar_t* def);

// A text of the language section, or the text of string `defaultId`.
std::wstring IniLanguageText(const std::wstring& language, const wchar_t* key, UINT defaultId);
// A text of the language section, or `def`.
std::wstring IniLanguageValue(const std::wstring& language, const wchar_t* key,
                              const std::wstring& def);

// [General] DefaultLangDisplay, "English" when not given.
std::wstring DefaultLanguage();

// A message box with an OK button, captioned with the configured title ([General] Title).
void ShowTitledMessage(HWND owner, const std::wstring& text, UINT icon);
// The same with the [General] text of `key` (default string `defaultId`).
void ShowGeneralMessage(HWND owner, const wchar_t* key, UINT defaultId, UINT icon);
