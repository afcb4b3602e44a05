#include "restore/FileRestoreDlg.h"

#include "resources/resource.h"

CFileRestoreDlg::CFileRestoreDlg() : CPropertyPageEx(IDD_FILE_RESTORE) {}

// The intro page hides Back; this page shows it again.
bool CFileRestoreDlg::OnSetActive() {
    GetSheet().PostMessage(PSM_SETWIZBUTTONS, 0, PSWIZB_BACK | PSWIZB_FINISH);
    GetSheet().GetDlgItem(ID_WIZBACK).ShowWindow(SW_SHOW);
    return true;
}

LRESULT CFileRestoreDlg::OnWizardBack() {
    return IDD_INTRO;
}
