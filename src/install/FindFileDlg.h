#pragma once

#include "framework/Dialog.h"

#include <string>

// "Find Files...": asks where a file that an installation needs can be found. IDOK means that
// m_strDirectory and m_strFileName hold the answer; any other result means that the operator
// gave the file up ("Ignore the file", which also sets m_bIgnored, or Escape).
class CFindFileDlg : public CDialog {
public:
    CFindFileDlg();

    std::wstring m_strDirectory;
    std::wstring m_strMessage;
    // In: the missing file. Out: in upper case, or as the directory browser found it.
    std::wstring m_strFileName;
    bool m_bIgnored = false;

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(UINT id, UINT code, HWND hControl) override;
    void OnOK() override;

private:
    void CenterOnScreen() const;
    void TransferToControls() const;
    void OnDirectoryChanged();
    void OnIgnore();
    void OnBrowse();
};
