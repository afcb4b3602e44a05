#include "app/IntroDlg.h"

#include "resources/resource.h"

// An exterior page: no header, the sheet's watermark beside it.
CIntroDlg::CIntroDlg() : CPropertyPageEx(IDD_INTRO, PSP_HIDEHEADER) {}

bool CIntroDlg::OnSetActive()
{
    GetSheet().PostMessage(PSM_SETWIZBUTTONS, 0, PSWIZB_NEXT);
    GetSheet().GetDlgItem(ID_WIZBACK).ShowWindow(SW_HIDE);
    return true;
}
