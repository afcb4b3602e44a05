#include "install/FindFileDlg.h"

#include "common/FileFind.h"
#include "common/TextCase.h"
#include "install/FindDirDlg.h"
#include "resources/resource.h"

namespace {
// A name typed by the operator that the platform finds as a directory. Wildcards are refused:
// they would be handed on as if they were a directory.
bool IsExistingDirectory(const std::wstring& path) {
    if (path.find_first_of(L"*?") != std::wstring::npos)
        return false;
    CFileFind find;
    return find.FindFile(path) && find.IsDirectory();
}
} // namespace

CFindFileDlg::CFindFileDlg() : CDialog(IDD_FIND_FILE) {}

BOOL CFindFileDlg::OnInitDialog() {
    CenterOnScreen();
    GetDlgItem(IDOK).EnableWindow(false);
    m_strFileName = MakeLower(m_strFileName);
    m_strMessage =
        LoadResString(IDS_MISSING_FILE_1) + m_strFileName + LoadResString(IDS_MISSING_FILE_2);
    m_strFileName = MakeUpper(m_strFileName);
    SetWindowText(GetWindowText() + LoadResString(IDS_MISSING_CAPTION) + m_strFileName);
    TransferToControls();
    return TRUE;
}

void CFindFileDlg::CenterOnScreen() const {
    RECT rect;
    if (!::GetWindowRect(m_hWnd, &rect))
        return;
    int x = (::GetSystemMetrics(SM_CXSCREEN) - (rect.right - rect.left)) / 2;
    int y = (::GetSystemMetrics(SM_CYSCREEN) - (rect.bottom - rect.top)) / 2;
    ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

void CFindFileDlg::TransferToControls() const {
    SetDlgItemText(IDC_FINDFILE_DIR, m_strDirectory);
    SetDlgItemText(IDC_FINDFILE_MESSAGE, m_strMessage);
}

bool CFindFileDlg::OnCommand(UINT id, UINT code, HWND hControl) {
    switch (id) {
    case IDC_FINDFILE_DIR:
        if (code == EN_CHANGE)
            OnDirectoryChanged();
        return true;
    case IDC_FINDFILE_IGNORE:
        OnIgnore();
        return true;
    case IDC_FINDFILE_BROWSE:
        OnBrowse();
        return true;
    default:
        return CDialog::OnCommand(id, code, hControl);
    }
}

// Once text was typed OK stays available: OK itself refuses what does not exist.
void CFindFileDlg::OnDirectoryChanged() {
    m_strDirectory = GetDlgItemText(IDC_FINDFILE_DIR);
    if (!m_strDirectory.empty())
        GetDlgItem(IDOK).EnableWindow(true);
}

// A directory that ends with a backslash is taken as given, even a drive that is not there
// yet, such as a disc still to be inserted.
void CFindFileDlg::OnOK() {
    m_bIgnored = false;
    if (m_strDirectory.ends_with(L'\\') || IsExistingDirectory(m_strDirectory)) {
        EndDialog(IDOK);
        return;
    }
    ::MessageBoxW(m_hWnd, LoadResString(IDS_NOT_A_DIRECTORY).c_str(), L"", MB_OK);
    m_strDirectory.clear();
    GetDlgItem(IDOK).EnableWindow(true);
    TransferToControls();
}

void CFindFileDlg::OnIgnore() {
    m_bIgnored = true;
    EndDialog(IDCANCEL);
}

void CFindFileDlg::OnBrowse() {
    // Owned by this dialog, so that the operator cannot answer here while browsing.
    CFindDirDlg browser(m_hWnd);
    browser.m_strWanted = m_strFileName;
    if (browser.DoModal() == IDOK) {
        m_strDirectory = MakeLower(browser.m_strSelectedDir);
        m_strFileName = browser.m_strWanted;
    } else {
        m_strDirectory.clear();
    }
    TransferToControls();
    if (!m_strDirectory.empty())
        OnOK();
}
