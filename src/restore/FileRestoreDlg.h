#pragma once

#include "framework/PropertySheet.h"

// The wizard page through which the user restores factory copies of Windows files.
class CFileRestoreDlg : public CPropertyPageEx {
public:
    CFileRestoreDlg();

protected:
    bool OnSetActive() override;
    LRESULT OnWizardBack() override;
};
