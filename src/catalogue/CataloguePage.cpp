#include "catalogue/CataloguePage.h"

#include "common/HelpFile.h"
#include "common/InstallIni.h"
#include "resources/resource.h"

bool CCataloguePage::OnSetActive() {
    Rebuild();
    ShowFrame();
    return true;
}

// The intro page hides Back; these pages show it again, with the configured texts.
void CCataloguePage::ShowFrame() const {
    const std::wstring& language = m_state.m_strLanguage;
    CWnd sheet = GetSheet();
    sheet.PostMessage(PSM_SETWIZBUTTONS, 0, PSWIZB_BACK | PSWIZB_FINISH);
    sheet.SetDlgItemText(ID_WIZFINISH, IniLanguageText(language, L"Finish", IDS_FINISH));
    sheet.SetDlgItemText(IDCANCEL, IniLanguageText(language, L"Exit", IDS_EXIT));
    sheet.SetDlgItemText(ID_WIZBACK, L"< " + IniLanguageText(language, L"Back", IDS_BACK));
    sheet.GetDlgItem(ID_WIZBACK).ShowWindow(SW_SHOW);
}

LRESULT CCataloguePage::OnWizardBack() {
    return IDD_INTRO;
}

LRESULT CCataloguePage::OnWizardNext() {
    return IDD_INTRO;
}

void CCataloguePage::OnCancel() {
    m_state.ReleasePartition();
}

bool CCataloguePage::OnCommand(UINT id, UINT code, HWND hControl) {
    if (id != ID_HELP)
        return CPropertyPageEx::OnCommand(id, code, hControl);
    OpenHelpFile(m_hWnd);
    return true;
}

bool CCataloguePage::OnNotify(NMHDR* header, LRESULT& result) {
    if (header->code != PSN_HELP)
        return CPropertyPageEx::OnNotify(header, result);
    OpenHelpFile(m_hWnd);
    return true;
}
