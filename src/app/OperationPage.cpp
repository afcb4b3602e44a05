#include "app/OperationPage.h"

#include "resources/resource.h"

// The intro page hides Back; these pages show it again.
bool COperationPage::OnSetActive() {
    GetSheet().PostMessage(PSM_SETWIZBUTTONS, 0, PSWIZB_BACK | PSWIZB_FINISH);
    GetSheet().GetDlgItem(ID_WIZBACK).ShowWindow(SW_SHOW);
    return true;
}

LRESULT COperationPage::OnWizardBack() {
    return IDD_INTRO;
}
