#include "app/WizardDlg.h"

#include "app/AboutDlg.h"
#include "app/RecoveryApp.h"
#include "common/InstallIni.h"
#include "resources/resource.h"

CWizardDlg::CWizardDlg(HBITMAP watermark, HBITMAP header, PartitionFlags& partition,
                       const WindowsVersionFlags& windows)
    : CPropertySheetEx(LoadResString(IDS_TITLE), watermark, header), m_state(partition, windows),
      m_introPage(m_state), m_fileRestorePage(m_state), m_appsPage(m_state),
      m_driversPage(m_state) {
    HINSTANCE instance = ::GetModuleHandleW(nullptr);
    m_hIcon = ::LoadIconW(instance, MAKEINTRESOURCEW(IDI_MELVORIN));
    m_hSmallIcon = static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(IDI_MELVORIN),
                                                   IMAGE_ICON, ::GetSystemMetrics(SM_CXSMICON),
                                                   ::GetSystemMetrics(SM_CYSMICON), 0));
    AddPage(&m_introPage);
    AddPage(&m_fileRestorePage);
    AddPage(&m_appsPage);
    AddPage(&m_driversPage);
}

CWizardDlg::~CWizardDlg() {
    if (m_hSmallIcon)
        ::DestroyIcon(m_hSmallIcon);
}

BOOL CWizardDlg::OnInitDialog() {
    AddAboutMenuItem();
    SetIcons();
    SetLanguageTexts();
    GetDlgItem(IDHELP).ShowWindow(SW_HIDE);
    return TRUE;
}

void CWizardDlg::AddAboutMenuItem() const {
    std::wstring about = LoadResString(IDS_ABOUTBOX);
    HMENU menu = ::GetSystemMenu(m_hWnd, FALSE);
    if (about.empty() || !menu)
        return;
    ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(menu, MF_STRING, IDM_ABOUTBOX, about.c_str());
}

void CWizardDlg::SetIcons() const {
    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    SendMessage(WM_SETICON, ICON_SMALL,
                reinterpret_cast<LPARAM>(m_hSmallIcon ? m_hSmallIcon : m_hIcon));
}

// The texts that depend on the language of the recovery source. Without a source the wizard
// has nothing to offer and ends.
void CWizardDlg::SetLanguageTexts() {
    m_strLanguage = ResolveLanguageSection(m_state.Partition(), m_bSourceFound);
    g_strVersion = IniLanguageText(m_strLanguage, L"About_VerString", IDS_VERSION);
    SetDlgItemText(IDCANCEL, IniLanguageText(m_strLanguage, L"Exit", IDS_EXIT));
    SetDlgItemText(ID_WIZNEXT, IniLanguageText(m_strLanguage, L"Next", IDS_NEXT) + L" >");
    if (m_bSourceFound)
        return;
    ShowGeneralMessage(m_hWnd, L"NoRecoveryPart", IDS_NO_RECOVERY_PART, MB_ICONEXCLAMATION);
    EndWizard();
}

void CWizardDlg::SetFinishState(WPARAM how, LPARAM enable) const {
    CWnd finish = GetDlgItem(ID_WIZFINISH);
    if (how == 1)
        finish.EnableWindow(enable != 0);
    else if (how == 2)
        finish.EnableWindow(false);
}

bool CWizardDlg::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (msg) {
    case PSM_CANCELTOCLOSE:
        EndWizard();
        result = 0;
        return true;
    case WM_SET_FINISH_STATE:
        SetFinishState(wParam, lParam);
        result = 0;
        return true;
    case WM_SHOW_TITLE:
        SetWindowText(GeneralText(L"Title", IDS_TITLE));
        result = 0;
        return true;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) != IDM_ABOUTBOX)
            return false;
        CAboutDlg(g_strVersion, m_hWnd).DoModal();
        result = 0;
        return true;
    default:
        return false;
    }
}
