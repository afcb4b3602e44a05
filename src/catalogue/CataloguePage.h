#pragma once

#include "common/WizardState.h"
#include "framework/PropertySheet.h"

// The frame that the application and driver pages share: on every activation the page is
// rebuilt from the recovery source and the sheet shows Back, Finish and Cancel with the texts of
// the language section; Back and Next lead to the intro page; Cancel hides the recovery partition
// again when the program exposed it; Help opens the help file.
class CCataloguePage : public CPropertyPageEx {
public:
    CCataloguePage(UINT templateId, CWizardState& state)
        : CPropertyPageEx(templateId), m_state(state) {}

protected:
    bool OnSetActive() override;
    LRESULT OnWizardBack() override;
    LRESULT OnWizardNext() override;
    void OnCancel() override;
    bool OnCommand(UINT id, UINT code, HWND hControl) override;
    bool OnNotify(NMHDR* header, LRESULT& result) override;

    // The page's own rebuild from the recovery source, run first on every activation.
    virtual void Rebuild() {}

    CWizardState& m_state;

private:
    void ShowFrame() const;
};
