#include "catalogue/DriversDlg.h"

#include "resources/resource.h"

CDriversDlg::CDriversDlg() : CPropertyPageEx(IDD_DRIVERS) {}

// The intro page hides Back; this page shows it again.
bool CDriversDlg::OnSetActive() {
    GetSheet().PostMessage(PSM_SETWIZBUTTONS, 0, PSWIZB_BACK | PSWIZB_FINISH);
    GetSheet().GetDlgItem(ID_WIZBACK).ShowWindow(SW_SHOW);
    return true;
}

LRESULT CDriversDlg::OnWizardBack() {
    return IDD_INTRO;
}
