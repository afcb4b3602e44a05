#pragma once

#include "catalogue/CataloguePage.h"

// The wizard page through which the user reinstalls applications of the recovery source.
class CAppsDlg : public CCataloguePage {
public:
    explicit CAppsDlg(CWizardState& state);
};
