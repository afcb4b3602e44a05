#include "common/InstallIni.h"

#include "common/CurrentDir.h"
#include "common/IniReader.h"
#include "common/core/StringRules.h"
#include "framework/Wnd.h"
#include "resources/resource.h"

#include <cwchar>

std::wstring GeneralValue(const wchar_t* key, const std::wstring& def) {
    std::wstring value;
    GetIniValue(L"General", key, def, value, InstallIniPath());
    return value;
}

std::wstring GeneralText(const wchar_t* key, UINT defaultId) {
    return GeneralValue(key, LoadResString(defaultId));
}

std::wstring GeneralSwitch(const wchar_t* key, const wchar_t* def) {
    return textcore::LowerAsciiLetters(GeneralValue(key, def));
}

long GeneralNumber(const wchar_t* key, const wchar_t* def) {
    return std::wcstol(GeneralValue(key, def).c_str(), nullptr, 10);
}

std::wstring IniLanguageText(const std::wstring& language, const wchar_t* key, UINT defaultId) {
    return IniLanguageValue(language, key, LoadResString(defaultId));
}

std::wstring IniLanguageValue(const std::wstring& language, const wchar_t* key,
                              const std::wstring& def) {
    std::wstring text;
    GetIniValue(language, key, def, text, InstallIniPath());
    return text;
}

std::wstring DefaultLanguage() {
    return GeneralValue(L"DefaultLangDisplay", L"English");
}

void ShowTitledMessage(HWND owner, const std::wstring& text, UINT icon) {
    const std::wstring caption = GeneralText(L"Title", IDS_TITLE);
    ::MessageBoxW(owner, text.c_str(), caption.c_str(), icon | MB_OK);
}

void ShowGeneralMessage(HWND owner, const wchar_t* key, UINT defaultId, UINT icon) {
    ShowTitledMessage(owner, GeneralText(key, defaultId), icon);
}
