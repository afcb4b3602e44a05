#include "restore/RestoreProgressDlg.h"

#include "common/Pause.h"
#include "common/PrivateProfile.h"
#include "common/RebootFlag.h"
#include "common/RunLog.h"
#include "resources/resource.h"

#include <commctrl.h>

namespace {
// The pause between collecting the marked files and writing them, so that the first phase can
// be read.
const DWORD kCollectPause = 2000;
} // namespace

CRestoreProgressDlg::CRestoreProgressDlg(const WindowsVersionFlags& windows)
    : CWorkerDlg(IDD_RESTORE_PROGRESS), m_windows(windows) {}

void CRestoreProgressDlg::HandOverInputs() {
    m_work.root = m_pRoot;
    m_work.language = m_strLanguage;
    m_work.recoveryRoot = m_strRecoveryRoot;
}

// A flag left from an earlier run must not ask for a restart that this run does not need.
void CRestoreProgressDlg::Work() {
    const std::wstring rebootFlag = m_windows.Layout().RebootFlagPath();
    ConfigureRunLog(m_windows.Layout());
    LogRun(L"Restore run started, recovery source " + m_work.recoveryRoot);
    ShowPhase(L"UPDATERESTORE1", IDS_UPDATE_RESTORE1);
    DeleteRebootFlag(rebootFlag);
    RestorePlan plan;
    if (m_work.root)
        CollectMarkedFiles(L"C:", *m_work.root, *m_work.root, plan);
    Pause(kCollectPause);

    ShowPhase(L"UPDATERESTORE2", IDS_UPDATE_RESTORE2);
    CRestoreRun run(m_work.recoveryRoot, rebootFlag, *this);
    run.Run(plan);

    LogRun(L"Restore run ended");
    ShowPhase(L"UPDATERESTORE3", IDS_UPDATE_RESTORE3);
    ShowFile(L"");
    const std::wstring finished =
        ProfileLanguageText(m_work.language, L"RESTOREFINISHED", IDS_RESTORE_FINISHED);
    SetDlgItemText(IDC_RESTORE_PHASE, finished);
    ::MessageBoxW(m_hWnd, finished.c_str(), LoadResString(IDS_TITLE).c_str(),
                  MB_OK | MB_ICONINFORMATION);
}

void CRestoreProgressDlg::ShowPhase(const wchar_t* key, UINT defaultId) const {
    SetDlgItemText(IDC_RESTORE_PHASE, ProfileLanguageText(m_work.language, key, defaultId));
}

void CRestoreProgressDlg::ShowFile(const std::wstring& text) {
    SetDlgItemText(IDC_RESTORE_FILE, text);
}

void CRestoreProgressDlg::StartSteps(int count) {
    CWnd bar = GetDlgItem(IDC_RESTORE_PROGRESS);
    bar.SendMessage(PBM_SETRANGE, 0, MAKELPARAM(0, count > 0xFFFF ? 0xFFFF : count));
    bar.SendMessage(PBM_SETSTEP, 1);
    bar.SendMessage(PBM_SETPOS, 0);
}

void CRestoreProgressDlg::Step() {
    GetDlgItem(IDC_RESTORE_PROGRESS).SendMessage(PBM_STEPIT);
}
