#pragma once

#include "app/OperationPage.h"

// The wizard page through which the user reinstalls drivers of the recovery source.
class CDriversDlg : public COperationPage {
public:
    CDriversDlg();
};
