#pragma once

#include "framework/PropertySheet.h"

// The wizard page through which the user reinstalls drivers of the recovery source.
class CDriversDlg : public CPropertyPageEx {
public:
    CDriversDlg();

protected:
    bool OnSetActive() override;
    LRESULT OnWizardBack() override;
};
