#pragma once

#include "framework/PropertySheet.h"

#include <string>

// The first page of the wizard: it finds the recovery source, introduces the program in the
// source's language and offers the operations that Install.ini allows and the source provides.
// While it is shown, a one-shot timer hides the recovery partition again.
class CIntroDlg : public CPropertyPageEx {
public:
    CIntroDlg();
    ~CIntroDlg() override;

    std::wstring m_strIntro1;
    std::wstring m_strIntro2;
    std::wstring m_strOption;
    std::wstring m_strAppsComment;
    std::wstring m_strFileRestoreComment;
    std::wstring m_strDriverComment;
    std::wstring m_strLanguage;
    std::wstring m_strDefaultLanguage;
    std::wstring m_strSourceRoot;
    int m_nOption = -1; // 0 file restore, 1 applications, 2 drivers, -1 none
    std::wstring m_strAppsDir;
    std::wstring m_strI386Dir;
    int m_bJumpToRestore = 0;

protected:
    BOOL OnInitDialog() override;
    bool OnSetActive() override;
    LRESULT OnWizardNext() override;
    void OnCancel() override;
    bool OnCommand(UINT id, UINT code, HWND hControl) override;
    bool OnNotify(NMHDR* header, LRESULT& result) override;
    void OnTimer(UINT_PTR id) override;
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    // What the recovery source provides.
    struct Offer {
        bool apps = false;
        bool drivers = false;
        bool fileRestore = false;
    };

    void ShowNoSourceMessage();
    Offer FindOffer() const;
    void ShowPictures();
    void ReadTexts();
    void EnableOptions(const Offer& offer) const;
    void ShowOptions() const;
    int Preselection(const Offer& offer) const;
    void UpdateRadioChecks() const;
    void TransferTexts() const;
    void OnHelp() const;
    void SetSheetCaption() const;

    HBITMAP m_hbmLogo = nullptr;
    HBITMAP m_hbmTitle = nullptr;
};
