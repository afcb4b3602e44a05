#include "install/WarningDlg.h"

#include "resources/resource.h"

CWarningDlg::CWarningDlg() : CDialog(IDD_WARNING) {}

BOOL CWarningDlg::OnInitDialog() {
    SetDlgItemText(IDC_WARNING_TEXT, m_strMessage);
    return TRUE;
}
