#include "restore/FileRestoreDlg.h"

#include "common/HelpFile.h"
#include "resources/resource.h"

CFileRestoreDlg::CFileRestoreDlg(CWizardState& state)
    : CPropertyPageEx(IDD_FILE_RESTORE), m_state(state) {}

// The intro page hides Back; this page shows it again.
bool CFileRestoreDlg::OnSetActive() {
    GetSheet().PostMessage(PSM_SETWIZBUTTONS, 0, PSWIZB_BACK | PSWIZB_FINISH);
    GetSheet().GetDlgItem(ID_WIZBACK).ShowWindow(SW_SHOW);
    return true;
}

LRESULT CFileRestoreDlg::OnWizardBack() {
    return IDD_INTRO;
}

bool CFileRestoreDlg::OnCommand(UINT id, UINT code, HWND hControl) {
    if (id != ID_HELP)
        return CPropertyPageEx::OnCommand(id, code, hControl);
    OpenHelpFile(m_hWnd);
    return true;
}

bool CFileRestoreDlg::OnNotify(NMHDR* header, LRESULT& result) {
    if (header->code != PSN_HELP)
        return CPropertyPageEx::OnNotify(header, result);
    OpenHelpFile(m_hWnd);
    return true;
}
