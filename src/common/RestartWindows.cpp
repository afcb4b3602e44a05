#include "common/RestartWindows.h"

#include "common/InstallIni.h"
#include "common/PrivateProfile.h"
#include "common/RunLog.h"
#include "framework/Wnd.h"
#include "resources/resource.h"

namespace {

// False when the user does not hold the privilege. The platform of Windows 95 to Me has no
// security, so no privilege to enable: its token functions are not implemented.
bool EnableShutdownPrivilege() {
    HANDLE token = nullptr;
    if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token))
        return ::GetLastError() == ERROR_CALL_NOT_IMPLEMENTED;
    TOKEN_PRIVILEGES privileges = {};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    // AdjustTokenPrivileges succeeds also when it could not enable the privilege, and then
    // leaves ERROR_NOT_ALL_ASSIGNED.
    const bool enabled =
        ::LookupPrivilegeValueW(nullptr, SE_SHUTDOWN_NAME, &privileges.Privileges[0].Luid) &&
        ::AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr) &&
        ::GetLastError() == ERROR_SUCCESS;
    ::CloseHandle(token);
    return enabled;
}

} // namespace

bool RestartWindows(HWND owner, const std::wstring& caption, ExitWindowsFunction exitWindows) {
    // Windows 2000 ignores the reason; later versions record a planned restart for an
    // installation.
    const DWORD reason = SHTDN_REASON_MAJOR_APPLICATION | SHTDN_REASON_MINOR_INSTALLATION |
                         SHTDN_REASON_FLAG_PLANNED;
    if (EnableShutdownPrivilege() && exitWindows(EWX_REBOOT, reason))
        return true;
    ::MessageBoxW(owner, LoadResString(IDS_RESTART_FAILED).c_str(), caption.c_str(),
                  MB_OK | MB_ICONEXCLAMATION);
    return false;
}

void AskForRestart(HWND owner, const std::wstring& language, bool nt5,
                   ExitWindowsFunction exitWindows) {
    const std::wstring text = ProfileLanguageText(language, L"reboot", IDS_REBOOT);
    const std::wstring caption = LoadResString(IDS_TITLE);
    if (nt5) {
        LogRun(L"Restart asked for: the user was told to restart");
        ::MessageBoxW(owner, text.c_str(), caption.c_str(), MB_OK);
        return;
    }
    const bool accepted = ::MessageBoxW(owner, text.c_str(), caption.c_str(), MB_OKCANCEL) == IDOK;
    LogRun(accepted ? L"Restart asked for: accepted" : L"Restart asked for: declined");
    if (accepted)
        RestartWindows(owner, GeneralText(L"Title", IDS_TITLE), exitWindows);
}
