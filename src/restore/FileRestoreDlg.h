#pragma once

#include "common/WizardState.h"
#include "framework/PropertySheet.h"

// The wizard page through which the user restores factory copies of Windows files. Back leads
// to the intro page; Help opens the help file.
class CFileRestoreDlg : public CPropertyPageEx {
public:
    explicit CFileRestoreDlg(CWizardState& state);

protected:
    bool OnSetActive() override;
    LRESULT OnWizardBack() override;
    bool OnCommand(UINT id, UINT code, HWND hControl) override;
    bool OnNotify(NMHDR* header, LRESULT& result) override;

private:
    CWizardState& m_state;
};
