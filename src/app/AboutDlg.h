#pragma once

#include "framework/Dialog.h"

#include <string>

// The About box: a picture, the version text and a fixed line.
class CAboutDlg : public CDialog {
public:
    CAboutDlg(const std::wstring& version, HWND parent);

protected:
    BOOL OnInitDialog() override;

private:
    std::wstring m_strVersion;
};
