#pragma once

#include "catalogue/CataloguePage.h"

// The wizard page through which the user reinstalls drivers of the recovery source.
class CDriversDlg : public CCataloguePage {
public:
    explicit CDriversDlg(CWizardState& state);
};
