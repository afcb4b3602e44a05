#pragma once

#include "framework/WorkerDlg.h"
#include "install/InfInstall.h"

// "Copy Files...": carries out one INF install section on a worker thread, with an animation,
// the file being copied, the directory it comes from, and Cancel, which stops the work before
// its next file or line; what was done stays. The caller fills m_job, runs DoModal (whose
// result is always IDCANCEL) and reads m_nStatus: 0 when the section was carried out, 2 when
// it was cancelled or failed.
class CInfCopyDlg : public CWorkerDlg, private IInfProgress {
public:
    enum Status { Finished = 0, Failed = 2 };

    CInfCopyDlg();

    InfJob m_job;
    int m_nStatus = Finished;

protected:
    BOOL OnInitDialog() override;
    void HandOverInputs() override;
    void Work() override;
    void OnWorkerDone() override;
    void OnWorkerFailed() override { m_nStatus = Failed; }

private:
    void ShowFile(const std::wstring& name) override;
    void ShowFrom(const std::wstring& text) override;
    bool IsCancelled() override { return IsCancelRequested(); }

    // The job as the worker sees it: written before the start event, read back after the
    // worker is done.
    struct WorkerJob {
        InfJob job;
        int status = Finished;
    } m_work;
};
