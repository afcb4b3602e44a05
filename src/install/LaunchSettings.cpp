#include "install/LaunchSettings.h"

#include "common/InstallIni.h"

namespace {
bool IsYes(const wchar_t* key, const wchar_t* def) {
    return GeneralSwitch(key, def) == L"yes";
}
} // namespace

LaunchSettings ReadLaunchSettings() {
    LaunchSettings settings;
    settings.timeOut = static_cast<int>(GeneralNumber(L"TimeOut", L"1000"));
    settings.longTimeOut = static_cast<int>(GeneralNumber(L"TimeOut2", L"2000"));
    settings.noWait = IsYes(L"NoWaitEx", L"no");
    settings.vorqOnly = IsYes(L"WaitVorqOnly", L"no");
    settings.show = ReadShowSetting();
    return settings;
}

bool ReadShowSetting() {
    return IsYes(L"ShowCmd", L"yes");
}
