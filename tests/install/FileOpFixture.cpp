#include "install/FileOpFixture.h"

void RunFileOp(int operation, const std::wstring& script, const std::wstring& sourceRoot,
               const std::wstring& extractRoot, const SystemLayout& layout) {
    CFileOpDlg dialog;
    dialog.m_strLangSection = L"English";
    dialog.m_strScriptPath = script;
    dialog.m_strSourceRoot = sourceRoot;
    dialog.m_nOperation = operation;
    dialog.m_strExtractRoot = extractRoot;
    dialog.m_layout = layout;
    dialog.DoModal();
}
