#pragma once

#include "framework/Dialog.h"

#include <string>

// Reports a source file that is missing. OK (IDOK) goes on; "Ignore all" or Escape (IDCANCEL)
// asks the caller to report no more missing files for the rest of its script.
class CWarningDlg : public CDialog {
public:
    CWarningDlg();

    std::wstring m_strMessage;

protected:
    BOOL OnInitDialog() override;
};
