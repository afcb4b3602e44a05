#pragma once

#include "app/IntroDlg.h"
#include "catalogue/AppsDlg.h"
#include "catalogue/DriversDlg.h"
#include "framework/PropertySheet.h"
#include "restore/FileRestoreDlg.h"

// The wizard sheet with its pages: intro, file restore, applications, drivers.
class CWizardDlg : public CPropertySheetEx {
public:
    CWizardDlg(HBITMAP watermark, HBITMAP header);
    ~CWizardDlg() override;

    int m_bSourceFound = 0;
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
    CIntroDlg m_introPage;
    CFileRestoreDlg m_fileRestorePage;
    CAppsDlg m_appsPage;
    CDriversDlg m_driversPage;
};
