#include "install/ReplaceFileDlg.h"

#include "common/PrivateProfile.h"
#include "resources/resource.h"

CReplaceFileDlg::CReplaceFileDlg() : CDialog(IDD_REPLACE_FILE) {}

BOOL CReplaceFileDlg::OnInitDialog() {
    m_strQuestion = ProfileLanguageText(m_strLangSection, L"ConfCopy", IDS_CONF_COPY);
    m_strQuestionEnd = ProfileLanguageText(m_strLangSection, L"ConfCopy2", IDS_CONF_COPY2);
    TransferToControls();
    return TRUE;
}

// The two icon controls keep the template's file icon: a text written to an icon control would
// name the icon to show instead.
void CReplaceFileDlg::TransferToControls() const {
    SetDlgItemText(IDC_REPLACE_NEW_NAME, m_strNewName);
    SetDlgItemText(IDC_REPLACE_EXISTING_NAME, m_strExistingName);
    SetDlgItemText(IDC_REPLACE_NEW_TIME, m_strNewTime);
    SetDlgItemText(IDC_REPLACE_EXISTING_TIME, m_strExistingTime);
    SetDlgItemText(IDC_REPLACE_QUESTION, m_strQuestion);
    SetDlgItemText(IDC_REPLACE_QUESTION_END, m_strQuestionEnd);
}

bool CReplaceFileDlg::OnCommand(UINT id, UINT code, HWND hControl) {
    switch (id) {
    case IDC_REPLACE_YES:
        m_nAnswer = Yes;
        break;
    case IDC_REPLACE_YES_ALL:
        m_nAnswer = YesToAll;
        break;
    case IDC_REPLACE_NO:
        m_nAnswer = No;
        break;
    case IDC_REPLACE_NO_ALL:
        m_nAnswer = NoToAll;
        break;
    default:
        return CDialog::OnCommand(id, code, hControl);
    }
    EndDialog(IDOK);
    return true;
}

void CReplaceFileDlg::OnCancel() {
    m_nAnswer = No;
    EndDialog(IDCANCEL);
}
