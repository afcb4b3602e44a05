#pragma once

#include "app/IntroDlg.h"
#include "catalogue/AppsDlg.h"
#include "catalogue/DriversDlg.h"
#include "common/WizardState.h"
#include "framework/PropertySheet.h"
#include "restore/FileRestoreDlg.h"

// The wizard sheet with its pages: intro, file restore, applications, drivers. It owns the
// wizard's state and hands it to every page.
class CWizardDlg : public CPropertySheetEx {
public:
    CWizardDlg(HBITMAP watermark, HBITMAP header, PartitionFlags& partition,
               const WindowsVersionFlags& windows);
    ~CWizardDlg() override;

    int m_bSourceFound = 0;
    // The language section as the sheet resolved it for its own texts.
    std::wstring m_strLanguage;

protected:
    BOOL OnInitDialog() override;
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void AddAboutMenuItem() const;
    void SetIcons() const;
    void SetLanguageTexts();
    void SetFinishState(WPARAM how, LPARAM enable) const;

    HICON m_hIcon;
    HICON m_hSmallIcon;
    // Declared before the pages, which refer to it.
    CWizardState m_state;
    CIntroDlg m_introPage;
    CFileRestoreDlg m_fileRestorePage;
    CAppsDlg m_appsPage;
    CDriversDlg m_driversPage;
};
