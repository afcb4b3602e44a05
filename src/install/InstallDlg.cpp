#include "install/InstallDlg.h"

#include "common/InstallIni.h"
#include "common/PrivateProfile.h"
#include "common/RebootFlag.h"
#include "install/InstallRules.h"
#include "resources/resource.h"

#include <objbase.h>

namespace {
// COM for the calling thread while it lives.
class ComApartment {
public:
    ComApartment() : m_hr(::CoInitialize(nullptr)) {}
    ~ComApartment() {
        if (SUCCEEDED(m_hr))
            ::CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

private:
    HRESULT m_hr;
};
} // namespace

CInstallDlg::CInstallDlg(const WindowsVersionFlags& windows)
    : CWorkerDlg(IDD_INSTALL), m_windows(windows) {}

bool CInstallDlg::AllItemsDone() const {
    for (size_t i = 0; i < m_items.size(); ++i) {
        if (IsGiven(m_items[i]) && (i >= m_itemsDone.size() || !m_itemsDone[i]))
            return false;
    }
    return true;
}

BOOL CInstallDlg::OnInitDialog() {
    SetWindowText(GeneralText(L"Title", IDS_TITLE));
    const HICON icon = ::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_MELVORIN));
    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    SetDlgItemText(IDC_INSTALL_STATUS, L"");
    SetDlgItemText(IDC_INSTALL_HEADING, L"");
    return CWorkerDlg::OnInitDialog();
}

void CInstallDlg::HandOverInputs() {
    InstallContext context;
    context.hDialog = m_hWnd;
    context.windows = m_windows;
    context.sourceRoot = m_strSourceRoot;
    InstallJob job;
    job.i386Dir = m_strI386Dir;
    job.itemDir = m_strItemDir;
    job.items = m_items;
    job.driverMode = m_bDriverMode;
    job.launch.noWait = m_bNoWait;
    job.launch.vorqOnly = m_bVorqOnly;
    job.launch.timeOut = m_nTimeOut;
    job.launch.longTimeOut = m_nLongTimeOut;
    job.ticks = m_waitTicks;
    m_pRun = std::make_unique<CInstallRun>(context, job);
}

void CInstallDlg::Work() {
    ::SetThreadPriority(::GetCurrentThread(), THREAD_PRIORITY_LOWEST);
    ComApartment com;
    m_pRun->Run();
}

// Also when the worker could not start or threw: what the run got done is kept, and a reboot
// flag that a step wrote still asks for the restart.
void CInstallDlg::EndRun() {
    m_itemsDone.assign(m_items.size(), false);
    if (!m_pRun)
        return;
    const InstallOutcome& outcome = m_pRun->Outcome();
    m_nWaitResult1 = outcome.waitResult1;
    m_nWaitResult2 = outcome.waitResult2;
    if (outcome.itemsDone.size() == m_items.size())
        m_itemsDone = outcome.itemsDone;
    if (outcome.started && RebootFlagExists(m_windows.Layout().RebootFlagPath()))
        AskForRestart(m_hWnd, outcome.language, m_windows.m_bNt5 != 0, m_exitWindows);
}

void CInstallDlg::SetLaunchSettings(const LaunchSettings& settings) {
    m_bNoWait = settings.noWait;
    m_bVorqOnly = settings.vorqOnly;
    m_nTimeOut = settings.timeOut;
    m_nLongTimeOut = settings.longTimeOut;
}
