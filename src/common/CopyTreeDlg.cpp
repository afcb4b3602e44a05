#include "common/CopyTreeDlg.h"

#include "common/FileFind.h"
#include "common/Paths.h"
#include "common/TreeOps.h"
#include "framework/Controls.h"
#include "resources/resource.h"

CCopyTreeDlg::CCopyTreeDlg() : CWorkerDlg(IDD_COPY_TREE) {}

BOOL CCopyTreeDlg::OnInitDialog() {
    CAnimateCtrl animation(GetDlgItem(IDC_COPY_ANIMATION));
    if (animation.Open(IDR_AVI_COPY))
        animation.Play(0, 0xFFFF, static_cast<UINT>(-1));
    return CWorkerDlg::OnInitDialog();
}

void CCopyTreeDlg::HandOverInputs() {
    m_job.source = m_strSource;
    m_job.destination = m_strDestination;
    m_job.status = Finished;
}

void CCopyTreeDlg::Work() {
    CreateDirectoryPath(m_job.destination);
    SetDlgItemText(IDC_COPY_NAME, L"");
    SetDlgItemText(IDC_COPY_FROM, L"");
    // A 32-bit range, so that trees of more than 65,535 entries still end with a full bar.
    CProgressCtrl progress(GetDlgItem(IDC_COPY_PROGRESS));
    progress.SetRange32(0, CountTreeEntries(m_job.source));
    progress.SetStep(1);
    progress.SetPos(0);
    if (!CopyTreeWithProgress(m_job.source, m_job.destination))
        m_job.status = Cancelled;
}

void CCopyTreeDlg::OnWorkerDone() {
    m_nStatus = m_job.status;
}

bool CCopyTreeDlg::CopyTreeWithProgress(const std::wstring& source,
                                        const std::wstring& destination) {
    SetDlgItemText(IDC_COPY_FROM, L"From'" + source + L"'\n");
    CProgressCtrl progress(GetDlgItem(IDC_COPY_PROGRESS));
    return ForEachEntry(source, [&](const CFileFind& find) {
        std::wstring target = JoinPath(destination, find.GetFileName());
        progress.StepIt();
        SetDlgItemText(IDC_COPY_NAME, find.GetFileName());
        if (IsCancelRequested())
            return false;
        if (!find.IsDirectory()) {
            CopyFileOver(find.GetFilePath(), target);
            return true;
        }
        ::CreateDirectoryW(target.c_str(), nullptr);
        return CopyTreeWithProgress(find.GetFilePath(), target);
    });
}

// A read-only target is overwritten, and the copy keeps no read-only, hidden or system
// attribute of its source.
void CCopyTreeDlg::CopyFileOver(const std::wstring& source, const std::wstring& target) const {
    ::SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_NORMAL);
    ::CopyFileW(source.c_str(), target.c_str(), FALSE);
    ::SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_NORMAL);
}
