#include "catalogue/AppsDlg.h"

#include "resources/resource.h"

CAppsDlg::CAppsDlg() : CPropertyPageEx(IDD_APPS) {}

// The intro page hides Back; this page shows it again.
bool CAppsDlg::OnSetActive() {
    GetSheet().PostMessage(PSM_SETWIZBUTTONS, 0, PSWIZB_BACK | PSWIZB_FINISH);
    GetSheet().GetDlgItem(ID_WIZBACK).ShowWindow(SW_SHOW);
    return true;
}

LRESULT CAppsDlg::OnWizardBack() {
    return IDD_INTRO;
}
