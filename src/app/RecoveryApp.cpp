#include "app/RecoveryApp.h"

#include "app/Administrator.h"
#include "app/DirectInstall.h"
#include "app/WizardDlg.h"
#include "common/InstallIni.h"
#include "framework/Wnd.h"
#include "resources/resource.h"

#include <commctrl.h>
#include <cstdlib>

CRecoveryApp theApp;
std::wstring g_strVersion;

BOOL CRecoveryApp::InitInstance() {
    INITCOMMONCONTROLSEX controls = {};
    controls.dwSize = sizeof(controls);
    controls.dwICC = ICC_WIN95_CLASSES;
    ::InitCommonControlsEx(&controls);

    if (IsAnotherInstanceRunning(GeneralText(L"Title", IDS_TITLE)))
        return FALSE;

    HINSTANCE instance = ::GetModuleHandleW(nullptr);
    m_hbmWatermark = ::LoadBitmapW(instance, MAKEINTRESOURCEW(IDB_WATERMARK));
    m_hbmHeader = ::LoadBitmapW(instance, MAKEINTRESOURCEW(IDB_HEADER));

    ReadWindowsVersion();

    BOOL(*isAdministrator)
    () = m_pfnIsUserAdministrator ? m_pfnIsUserAdministrator : IsUserAdministrator;
    if (!isAdministrator()) {
        ShowGeneralMessage(nullptr, L"Administrator_Only", IDS_ADMINISTRATOR_ONLY,
                           MB_ICONEXCLAMATION);
        return FALSE;
    }

    const DirectSwitch direct = ParseDirectSwitch(CommandArguments(::GetCommandLineW()));
    if (direct.found) {
        RunDirectInstall(direct.name, direct.kind, *this, *this);
        return FALSE;
    }

    RunWizard();
    return FALSE;
}

// From the C runtime's record of the Windows version, as the runtime read it at start.
void CRecoveryApp::ReadWindowsVersion() {
    m_bNt5 = _winmajor == 5;
    m_bWin2000 = _winmajor == 5 && _winminor == 0;
}

bool CRecoveryApp::IsAnotherInstanceRunning(const std::wstring& title) const {
    return ::FindWindowW(L"#32770", title.c_str()) != nullptr;
}

void CRecoveryApp::RunWizard() {
    m_bMayExposePartition = 1;
    CWizardDlg wizard(m_hbmWatermark, m_hbmHeader, *this, *this);
    wizard.DoModal();
}
