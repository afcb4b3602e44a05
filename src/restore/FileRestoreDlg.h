#pragma once

#include "app/OperationPage.h"

// The wizard page through which the user restores factory copies of Windows files.
class CFileRestoreDlg : public COperationPage {
public:
    CFileRestoreDlg();
};
