#include "install/InfCopyDlg.h"

#include "framework/Controls.h"
#include "resources/resource.h"

CInfCopyDlg::CInfCopyDlg() : CWorkerDlg(IDD_INF_COPY) {}

BOOL CInfCopyDlg::OnInitDialog() {
    CAnimateCtrl animation(GetDlgItem(IDC_COPY_ANIMATION));
    if (animation.Open(IDR_AVI_COPY))
        animation.Play(0, 0xFFFF, static_cast<UINT>(-1));
    return CWorkerDlg::OnInitDialog();
}

void CInfCopyDlg::HandOverInputs() {
    m_work.job = m_job;
    m_work.status = Finished;
}

void CInfCopyDlg::Work() {
    if (!CarryOutInfSection(m_work.job, *this))
        m_work.status = Failed;
}

void CInfCopyDlg::OnWorkerDone() {
    m_nStatus = m_work.status;
}

void CInfCopyDlg::ShowFile(const std::wstring& name) {
    SetDlgItemText(IDC_COPY_NAME, name);
}

void CInfCopyDlg::ShowFrom(const std::wstring& text) {
    SetDlgItemText(IDC_COPY_FROM, text);
}
