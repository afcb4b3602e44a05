#pragma once

#include "framework/PropertySheet.h"

// The wizard page through which the user reinstalls applications of the recovery source.
class CAppsDlg : public CPropertyPageEx {
public:
    CAppsDlg();

protected:
    bool OnSetActive() override;
    LRESULT OnWizardBack() override;
};
