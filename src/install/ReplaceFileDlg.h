#pragma once

#include "framework/Dialog.h"

#include <string>

// Asks whether an existing file may be replaced by the one being copied or extracted. The
// caller remembers "to all" answers for the rest of its script; the dialog only reports the
// button.
class CReplaceFileDlg : public CDialog {
public:
    enum Answer { Yes = 0, YesToAll = 1, No = 2, NoToAll = 3 };

    CReplaceFileDlg();

    std::wstring m_strNewName;
    std::wstring m_strExistingName;
    std::wstring m_strNewTime;
    std::wstring m_strExistingTime;
    std::wstring m_strQuestion;
    std::wstring m_strQuestionEnd;
    // Closing the dialog without one of the four buttons answers No: nothing is replaced.
    int m_nAnswer = No;
    // The Install.ini section that holds the question's texts.
    std::wstring m_strLangSection;

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(UINT id, UINT code, HWND hControl) override;
    void OnCancel() override;

private:
    void TransferToControls() const;
};
