#pragma once

#include "app/IntroRules.h"
#include "common/WizardState.h"
#include "framework/PropertySheet.h"

#include <string>

// The first page of the wizard: it finds the recovery source, introduces the program in the
// source's language and offers the operations that Install.ini allows and the source provides.
// While it is shown, a one-shot timer hides the recovery partition again.
class CIntroDlg : public CPropertyPageEx {
public:
    explicit CIntroDlg(CWizardState& state);
    ~CIntroDlg() override;

    std::wstring m_strIntro1;
    std::wstring m_strIntro2;
    std::wstring m_strOption;
    std::wstring m_strAppsComment;
    std::wstring m_strFileRestoreComment;
    std::wstring m_strDriverComment;
    int m_nOption = kOptionNone; // 0 file restore, 1 applications, 2 drivers, -1 none
    int m_bJumpToRestore = 0;

protected:
    BOOL OnInitDialog() override;
    bool OnSetActive() override;
    LRESULT OnWizardNext() override;
    void OnCancel() override;
    bool OnCommand(UINT id, UINT code, HWND hControl) override;
    bool OnNotify(NMHDR* header, LRESULT& result) override;
    void OnTimer(UINT_PTR id) override;

private:
    void ShowNoSourceMessage();
    void ShowPictures();
    void ReadTexts();
    void ShowChoices(const IntroChoices& choices) const;
    void UpdateRadioChecks() const;
    void TransferTexts() const;

    CWizardState& m_state;

    HBITMAP m_hbmLogo = nullptr;
    HBITMAP m_hbmTitle = nullptr;
};
