#include "app/IntroDlg.h"

#include "app/RecoverySource.h"
#include "app/RecoveryApp.h"
#include "common/CurrentDir.h"
#include "common/FileFind.h"
#include "common/core/StringRules.h"
#include "framework/Controls.h"
#include "resources/resource.h"

#include <shellapi.h>

#include <cwchar>

namespace {
// Posted to itself by the page when it becomes active.
const UINT kSetSheetCaption = WM_APP + 1;

// Lower-cased, so that "ON" counts as "on".
std::wstring GeneralSwitch(const wchar_t* key, const wchar_t* def) {
    return textcore::LowerAsciiLetters(GeneralValue(key, def));
}

HBITMAP LoadBitmapBesideIni(const wchar_t* name) {
    return static_cast<HBITMAP>(::LoadImageW(nullptr, (GetCurrentDirSlash() + name).c_str(),
                                             IMAGE_BITMAP, 0, 0,
                                             LR_LOADFROMFILE | LR_CREATEDIBSECTION));
}
} // namespace

// An exterior page: no header, the sheet's watermark beside it.
CIntroDlg::CIntroDlg() : CPropertyPageEx(IDD_INTRO, PSP_HIDEHEADER) {}

CIntroDlg::~CIntroDlg() {
    if (m_hbmLogo)
        ::DeleteObject(m_hbmLogo);
    if (m_hbmTitle)
        ::DeleteObject(m_hbmTitle);
}

BOOL CIntroDlg::OnInitDialog() {
    m_strDefaultLanguage = DefaultLanguage();
    FindRecoverySource(SourceSearch::Intro, m_strSourceRoot);
    DeriveSourceDirs(m_strSourceRoot, L"I386\\APPS", m_strI386Dir, m_strAppsDir);
    if (m_strSourceRoot.empty()) {
        ShowNoSourceMessage();
        return TRUE;
    }
    const Offer offer = FindOffer();
    m_strLanguage = ResolveLanguageSection(m_strSourceRoot, m_strDefaultLanguage);
    ShowPictures();
    ReadTexts();
    EnableOptions(offer);
    ShowOptions();
    m_nOption = Preselection(offer);
    UpdateRadioChecks();
    TransferTexts();
    return TRUE;
}

void CIntroDlg::ShowNoSourceMessage() {
    ShowGeneralMessage(m_hWnd, L"NoRecoveryPart", IDS_NO_RECOVERY_PART, MB_ICONHAND);
    GetSheet().SendMessage(PSM_CANCELTOCLOSE);
}

CIntroDlg::Offer CIntroDlg::FindOffer() const {
    Offer offer;
    offer.apps = AnyFileMatches(m_strAppsDir);
    offer.drivers = AnyFileMatches(m_strI386Dir + L"\\DRV");
    offer.fileRestore = AnyFileMatches(m_strSourceRoot.substr(0, 3) + L"Preload\\*.inp");
    return offer;
}

// A picture that cannot be loaded leaves its control empty.
void CIntroDlg::ShowPictures() {
    m_hbmLogo = LoadBitmapBesideIni(L"LOGO.BMP");
    CStatic(GetDlgItem(IDC_INTRO_LEFT_PICTURE)).SetBitmap(m_hbmLogo);
    m_hbmTitle = LoadBitmapBesideIni(L"TITLE.BMP");
    CStatic(GetDlgItem(IDC_INTRO_TOP_PICTURE)).SetBitmap(m_hbmTitle);
}

void CIntroDlg::ReadTexts() {
    m_strIntro1 = LanguageText(m_strLanguage, L"Intro1", IDS_INTRO1);
    m_strIntro2 = LanguageText(m_strLanguage, L"Intro2", IDS_INTRO2);
    m_strOption = LanguageText(m_strLanguage, L"Option", IDS_OPTION);
    m_strAppsComment = LanguageText(m_strLanguage, L"AppsComment", IDS_APPS_COMMENT);
    m_strFileRestoreComment =
        LanguageText(m_strLanguage, L"FileRestoreComment", IDS_FILE_RESTORE_COMMENT);
    m_strDriverComment = LanguageText(m_strLanguage, L"DriverComment", IDS_DRIVER_COMMENT);
    SetDlgItemText(IDC_INTRO_APPS, LanguageText(m_strLanguage, L"Apps", IDS_APPS));
    SetDlgItemText(IDC_INTRO_RESTORE,
                   LanguageText(m_strLanguage, L"FileRestore", IDS_FILE_RESTORE));
    SetDlgItemText(IDC_INTRO_DRIVERS, LanguageText(m_strLanguage, L"Driver", IDS_DRIVER));
}

void CIntroDlg::EnableOptions(const Offer& offer) const {
    const bool restore = GeneralSwitch(L"EnableFileRestore", L"on") == L"on" && offer.fileRestore;
    GetDlgItem(IDC_INTRO_RESTORE).EnableWindow(restore);
    GetDlgItem(IDC_INTRO_RESTORE_COMMENT).EnableWindow(restore);
    const bool apps = GeneralSwitch(L"EnableApplication", L"on") == L"on" && offer.apps;
    GetDlgItem(IDC_INTRO_APPS).EnableWindow(apps);
    GetDlgItem(IDC_INTRO_APPS_COMMENT).EnableWindow(apps);
    const bool drivers = GeneralSwitch(L"EnableDriver", L"on") == L"on" && offer.drivers;
    GetDlgItem(IDC_INTRO_DRIVERS).EnableWindow(drivers);
    GetDlgItem(IDC_INTRO_DRIVERS_COMMENT).EnableWindow(drivers);
}

// The file-restore option stays out of sight: its page is reached through the hidden button.
void CIntroDlg::ShowOptions() const {
    GetDlgItem(IDC_INTRO_RESTORE).ShowWindow(SW_HIDE);
    GetDlgItem(IDC_INTRO_RESTORE_COMMENT).ShowWindow(SW_HIDE);
    const int apps = GeneralSwitch(L"VisibleApplication", L"yes") == L"yes" ? SW_SHOW : SW_HIDE;
    GetDlgItem(IDC_INTRO_APPS).ShowWindow(apps);
    GetDlgItem(IDC_INTRO_APPS_COMMENT).ShowWindow(apps);
    const int drivers = GeneralSwitch(L"VisibleDriver", L"yes") == L"yes" ? SW_SHOW : SW_HIDE;
    GetDlgItem(IDC_INTRO_DRIVERS).ShowWindow(drivers);
    GetDlgItem(IDC_INTRO_DRIVERS_COMMENT).ShowWindow(drivers);
}

int CIntroDlg::Preselection(const Offer& offer) const {
    if (GeneralSwitch(L"EnableApplication", L"on") == L"on" &&
        GeneralSwitch(L"VisibleApplication", L"yes") == L"yes" && offer.apps)
        return 1;
    if (GeneralSwitch(L"EnableDriver", L"on") == L"on" &&
        GeneralSwitch(L"VisibleDriver", L"yes") == L"yes" && offer.drivers)
        return 2;
    return -1;
}

void CIntroDlg::UpdateRadioChecks() const {
    CButton(GetDlgItem(IDC_INTRO_APPS)).SetCheck(m_nOption == 1 ? BST_CHECKED : BST_UNCHECKED);
    CButton(GetDlgItem(IDC_INTRO_RESTORE)).SetCheck(m_nOption == 0 ? BST_CHECKED : BST_UNCHECKED);
    CButton(GetDlgItem(IDC_INTRO_DRIVERS)).SetCheck(m_nOption == 2 ? BST_CHECKED : BST_UNCHECKED);
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
    const std::wstring delay = GeneralValue(L"Unhide_recovery_timer", L"2000");
    SetTimer(IDT_RELEASE_PARTITION, static_cast<UINT>(std::wcstol(delay.c_str(), nullptr, 10)));
    SetSheetCaption();
    // The sheet may give itself the page's template caption once the page is shown.
    PostMessage(kSetSheetCaption);
    sheet.SetDlgItemText(ID_WIZNEXT, LanguageText(m_strLanguage, L"Next", IDS_NEXT) + L" >");
    return true;
}

void CIntroDlg::SetSheetCaption() const {
    GetSheet().SetWindowText(GeneralText(L"Title", IDS_TITLE));
}

bool CIntroDlg::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (msg != kSetSheetCaption)
        return CPropertyPageEx::OnMessage(msg, wParam, lParam, result);
    SetSheetCaption();
    return true;
}

LRESULT CIntroDlg::OnWizardNext() {
    KillTimer(IDT_RELEASE_PARTITION);
    ReleaseRecoveryPartition();
    if (m_bJumpToRestore == 1) {
        m_bJumpToRestore = 0;
        return IDD_FILE_RESTORE;
    }
    switch (m_nOption) {
    case 1:
        return IDD_APPS;
    case 2:
        return IDD_DRIVERS;
    case 0:
        return IDD_FILE_RESTORE;
    default:
        return IDD_INTRO;
    }
}

void CIntroDlg::OnCancel() {
    ReleaseRecoveryPartition();
}

void CIntroDlg::OnTimer(UINT_PTR id) {
    KillTimer(id);
    ReleaseRecoveryPartition();
}

bool CIntroDlg::OnCommand(UINT id, UINT code, HWND hControl) {
    if (code != BN_CLICKED)
        return CPropertyPageEx::OnCommand(id, code, hControl);
    switch (id) {
    case IDC_INTRO_APPS:
        m_nOption = 1;
        break;
    case IDC_INTRO_DRIVERS:
        m_nOption = 2;
        break;
    case IDC_INTRO_RESTORE:
        m_nOption = 0;
        break;
    case IDC_INTRO_JUMP_RESTORE:
        m_bJumpToRestore = 1;
        GetSheet().SendMessage(PSM_PRESSBUTTON, PSBTN_NEXT);
        return true;
    case ID_HELP:
        OnHelp();
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
    OnHelp();
    return true;
}

void CIntroDlg::OnHelp() const {
    ::ShellExecuteW(m_hWnd, L"open", (GetCurrentDirSlash() + L"INSTALL.CHM").c_str(), nullptr,
                    nullptr, SW_SHOWNORMAL);
}
