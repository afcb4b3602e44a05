#pragma once

#include "framework/WorkerDlg.h"

#include <string>

// "Copying Files ...": copies a directory tree on a worker thread, with an animation, the
// entry at hand and a progress bar of one step per entry. Escape asks the worker to stop before
// its next entry; what was copied stays. The caller sets source and destination, runs DoModal
// (whose result is always IDCANCEL) and reads the status: 0 when the copy went through, 2 when
// it did not (cancelled, could not start, or failed). An empty source copies nothing. Only one
// copy dialog runs at a time.
class CCopyTreeDlg : public CWorkerDlg {
public:
    enum Status { Finished = 0, Cancelled = 2 };

    CCopyTreeDlg();

    std::wstring m_strSource;
    std::wstring m_strDestination;
    int m_nStatus = Finished;

protected:
    BOOL OnInitDialog() override;
    void HandOverInputs() override;
    void Work() override;
    void OnWorkerDone() override;
    void OnWorkerFailed() override { m_nStatus = Cancelled; }
    // Copies one file, on the worker thread.
    virtual void CopyFileOver(const std::wstring& source, const std::wstring& target) const;

private:
    // Runs on the worker thread; false when cancelled.
    bool CopyTreeWithProgress(const std::wstring& source, const std::wstring& destination);

    // The job as the worker sees it: written before the start event, read back after the
    // worker is done.
    struct Job {
        std::wstring source;
        std::wstring destination;
        int status = Finished;
    } m_job;
};
