#pragma once

#include "framework/Dialog.h"
#include "framework/Event.h"

#include <atomic>
#include <memory>

// Message a worker posts to its dialog when its work is done.
#ifndef WM_WORKER_DONE
#define WM_WORKER_DONE (WM_USER + 100)
#endif

// A modal dialog that shows the progress of a job running on a worker thread.
//
// How it works:
//   1. OnInitDialog (user-interface thread) creates an auto-reset start event and starts the
//      worker thread, passing it the dialog's window handle.
//   2. It then calls HandOverInputs, which copies the job's inputs to where the worker reads
//      them, and signals the event. The worker waits for the event before it touches
//      anything, so it never sees half-written inputs; no lock is needed.
//   3. The worker runs Work, which reports progress to the dialog's controls through window
//      messages, and then posts WM_WORKER_DONE as its last act.
//   4. The dialog's handler of WM_WORKER_DONE waits for the thread to end, calls OnWorkerDone
//      to collect the results (or OnWorkerFailed when Work threw, which the worker records
//      and reports in the message), releases the event and ends the dialog with IDCANCEL.
//
// Cancel (Escape, or the close box) does not end the dialog: it raises a flag that Work
// polls between steps. Enter does nothing: only the worker's message ends the dialog, so its
// results are always collected and the worker never outlives its dialog.
class CWorkerDlg : public CDialog {
public:
    using CDialog::CDialog;
    ~CWorkerDlg() override;

protected:
    // Subclasses that override it prepare their controls and then call this one last.
    BOOL OnInitDialog() override;
    virtual void HandOverInputs() {}
    // Runs on the worker thread.
    virtual void Work() = 0;
    // The work went through: its results are complete.
    virtual void OnWorkerDone() {}
    // The work did not go through: the worker could not be started (the dialog then ends at
    // once), or Work threw. OnWorkerDone is not called.
    virtual void OnWorkerFailed() {}

    void OnOK() override {}
    void OnCancel() override { m_bCancelRequested = true; }
    bool IsCancelRequested() const { return m_bCancelRequested; }
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    static UINT WorkerMain(HWND hWnd);
    void CloseThread();

    std::unique_ptr<CEvent> m_pStartEvent;
    HANDLE m_hThread = nullptr;
    std::atomic<bool> m_bCancelRequested = false;
};
