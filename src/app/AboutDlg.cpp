#include "app/AboutDlg.h"

#include "resources/resource.h"

CAboutDlg::CAboutDlg(const std::wstring& version, HWND parent)
    : CDialog(IDD_ABOUTBOX, parent), m_strVersion(version) {}

BOOL CAboutDlg::OnInitDialog() {
    SetDlgItemText(IDC_ABOUT_VERSION, m_strVersion);
    return TRUE;
}
