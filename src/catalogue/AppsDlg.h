#pragma once

#include "app/OperationPage.h"

// The wizard page through which the user reinstalls applications of the recovery source.
class CAppsDlg : public COperationPage {
public:
    CAppsDlg();
};
