#include "app/IntroDlg.h"

#include "common/CurrentDir.h"
#include "common/HelpFile.h"
#include "common/InstallIni.h"
#include "framework/Controls.h"
#include "resources/resource.h"

namespace {
HBITMAP LoadBitmapBesideIni(const wchar_t* name) {
    return static_cast<HBITMAP>(::LoadImageW(nullptr, (GetCurrentDirSlash() + name).c_str(),
                                             IMAGE_BITMAP, 0, 0,
                                             LR_LOADFROMFILE | LR_CREATEDIBSECTION));
}
} // namespace

// An exterior page: no header, the sheet's watermark beside it.
CIntroDlg::CIntroDlg(CWizardState& state)
    : CPropertyPageEx(IDD_INTRO, PSP_HIDEHEADER), m_state(state) {}

CIntroDlg::~CIntroDlg() {
    if (m_hbmLogo)
        ::DeleteObject(m_hbmLogo);
    if (m_hbmTitle)
        ::DeleteObject(m_hbmTitle);
}

BOOL CIntroDlg::OnInitDialog() {
    m_state.FindSource(SourceSearch::Intro);
    if (!m_state.HasSource()) {
        ShowNoSourceMessage();
        return TRUE;
    }
    const SourceOffer offer = FindSourceOffer(m_state.Source());
    m_state.ResolveLanguage();
    ShowPictures();
    ReadTexts();
    const IntroChoices choices = DecideIntroChoices(ReadIntroSwitches(), offer);
    ShowChoices(choices);
    m_nOption = choices.preselection;
    UpdateRadioChecks();
    TransferTexts();
    return TRUE;
}

void CIntroDlg::ShowNoSourceMessage() {
    ShowGeneralMessage(m_hWnd, L"NoRecoveryPart", IDS_NO_RECOVERY_PART, MB_ICONHAND);
    GetSheet().SendMessage(PSM_CANCELTOCLOSE);
}

// A picture that cannot be loaded leaves its control empty.
void CIntroDlg::ShowPictures() {
    m_hbmLogo = LoadBitmapBesideIni(L"LOGO.BMP");
    CStatic(GetDlgItem(IDC_INTRO_LEFT_PICTURE)).SetBitmap(m_hbmLogo);
    m_hbmTitle = LoadBitmapBesideIni(L"TITLE.BMP");
    CStatic(GetDlgItem(IDC_INTRO_TOP_PICTURE)).SetBitmap(m_hbmTitle);
}

void CIntroDlg::ReadTexts() {
    const std::wstring& language = m_state.m_strLanguage;
    m_strIntro1 = IniLanguageText(language, L"Intro1", IDS_INTRO1);
    m_strIntro2 = IniLanguageText(language, L"Intro2", IDS_INTRO2);
    m_strOption = IniLanguageText(language, L"Option", IDS_OPTION);
    m_strAppsComment = IniLanguageText(language, L"AppsComment", IDS_APPS_COMMENT);
    m_strFileRestoreComment =
        IniLanguageText(language, L"FileRestoreComment", IDS_FILE_RESTORE_COMMENT);
    m_strDriverComment = IniLanguageText(language, L"DriverComment", IDS_DRIVER_COMMENT);
    SetDlgItemText(IDC_INTRO_APPS, IniLanguageText(language, L"Apps", IDS_APPS));
    SetDlgItemText(IDC_INTRO_RESTORE, IniLanguageText(language, L"FileRestore", IDS_FILE_RESTORE));
    SetDlgItemText(IDC_INTRO_DRIVERS, IniLanguageText(language, L"Driver", IDS_DRIVER));
}

// Each option and the comment under it are enabled and shown together.
void CIntroDlg::ShowChoices(const IntroChoices& choices) const {
    const struct {
        int option;
        int comment;
        const OptionState& state;
    } rows[] = {{IDC_INTRO_APPS, IDC_INTRO_APPS_COMMENT, choices.apps},
                {IDC_INTRO_DRIVERS, IDC_INTRO_DRIVERS_COMMENT, choices.drivers},
                {IDC_INTRO_RESTORE, IDC_INTRO_RESTORE_COMMENT, choices.fileRestore}};
    for (const auto& row : rows) {
        for (int id : {row.option, row.comment}) {
            GetDlgItem(id).EnableWindow(row.state.enabled);
            GetDlgItem(id).ShowWindow(row.state.visible ? SW_SHOW : SW_HIDE);
        }
    }
}

void CIntroDlg::UpdateRadioChecks() const {
    CButton(GetDlgItem(IDC_INTRO_APPS))
        .SetCheck(m_nOption == kOptionApps ? BST_CHECKED : BST_UNCHECKED);
    CButton(GetDlgItem(IDC_INTRO_RESTORE))
        .SetCheck(m_nOption == kOptionFileRestore ? BST_CHECKED : BST_UNCHECKED);
    CButton(GetDlgItem(IDC_INTRO_DRIVERS))
        .SetCheck(m_nOption == kOptionDrivers ? BST_CHECKED : BST_UNCHECKED);
}

void CIntroDlg::TransferTexts() const {
    SetDlgItemText(IDC_INTRO_TEXT1, m_strIntro1);
    SetDlgItemText(IDC_INTRO_TEXT2, m_strIntro2);
    SetDlgItemText(IDC_INTRO_OPTION, m_strOption);
    SetDlgItemText(IDC_INTRO_APPS_COMMENT, m_strAppsComment);
    SetDlgItemText(IDC_INTRO_RESTORE_COMMENT, m_strFileRestoreComment);
    SetDlgItemText(IDC_INTRO_DRIVERS_COMMENT, m_strDriverComment);
}

bool CIntroDlg::OnSetActive() {
    CWnd sheet = GetSheet();
    sheet.PostMessage(PSM_SETWIZBUTTONS, 0, PSWIZB_NEXT);
    sheet.GetDlgItem(ID_WIZBACK).ShowWindow(SW_HIDE);
    // Text that is no number gives 0 milliseconds.
    SetTimer(IDT_RELEASE_PARTITION,
             static_cast<UINT>(GeneralNumber(L"Unhide_recovery_timer", L"2000")));
    sheet.SendMessage(WM_SHOW_TITLE);
    sheet.PostMessage(WM_SHOW_TITLE);
    sheet.SetDlgItemText(ID_WIZNEXT,
                         IniLanguageText(m_state.m_strLanguage, L"Next", IDS_NEXT) + L" >");
    return true;
}

LRESULT CIntroDlg::OnWizardNext() {
    KillTimer(IDT_RELEASE_PARTITION);
    m_state.ReleasePartition();
    // The hidden button's jump counts once; the next Next follows the option again.
    const bool jump = m_bJumpToRestore == 1;
    m_bJumpToRestore = 0;
    return IntroNextPage(m_nOption, jump);
}

void CIntroDlg::OnCancel() {
    m_state.ReleasePartition();
}

void CIntroDlg::OnTimer(UINT_PTR id) {
    KillTimer(id);
    m_state.ReleasePartition();
}

bool CIntroDlg::OnCommand(UINT id, UINT code, HWND hControl) {
    if (code != BN_CLICKED)
        return CPropertyPageEx::OnCommand(id, code, hControl);
    switch (id) {
    case IDC_INTRO_APPS:
        m_nOption = kOptionApps;
        break;
    case IDC_INTRO_DRIVERS:
        m_nOption = kOptionDrivers;
        break;
    case IDC_INTRO_RESTORE:
        m_nOption = kOptionFileRestore;
        break;
    case IDC_INTRO_JUMP_RESTORE:
        m_bJumpToRestore = 1;
        GetSheet().SendMessage(PSM_PRESSBUTTON, PSBTN_NEXT);
        return true;
    case ID_HELP:
        OpenHelpFile(m_hWnd);
        return true;
    default:
        return CPropertyPageEx::OnCommand(id, code, hControl);
    }
    UpdateRadioChecks();
    return true;
}

bool CIntroDlg::OnNotify(NMHDR* header, LRESULT& result) {
    if (header->code != PSN_HELP)
        return CPropertyPageEx::OnNotify(header, result);
    OpenHelpFile(m_hWnd);
    return true;
}
