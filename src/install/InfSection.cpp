#include "install/InfSection.h"

#include "install/InfCopyDlg.h"

bool RunInfSection(const InstallContext& context, const std::wstring& infPath,
                   const std::wstring& section) {
    CInfCopyDlg dialog;
    dialog.m_job.infPath = infPath;
    dialog.m_job.section = section;
    dialog.m_job.sourceRoot = context.sourceRoot;
    dialog.m_job.language = context.language;
    dialog.m_job.layout = context.windows.Layout();
    dialog.DoModal(context.hDialog);
    return dialog.m_nStatus == CInfCopyDlg::Finished;
}
