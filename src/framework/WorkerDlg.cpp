#include "framework/WorkerDlg.h"

#include "framework/Thread.h"

CWorkerDlg::~CWorkerDlg() {
    CloseThread();
}

BOOL CWorkerDlg::OnInitDialog() {
    m_bCancelRequested = false;
    m_pStartEvent = std::make_unique<CEvent>(false, false);
    if (m_pStartEvent->IsValid())
        m_hThread = BeginThread(WorkerMain, m_hWnd);
    if (!m_hThread) {
        // Without a worker nothing would ever end the dialog.
        m_pStartEvent.reset();
        OnWorkerNotStarted();
        EndDialog(IDCANCEL);
        return TRUE;
    }
    HandOverInputs();
    m_pStartEvent->SetEvent();
    return TRUE;
}

UINT CWorkerDlg::WorkerMain(HWND hWnd) {
    auto* dialog = static_cast<CWorkerDlg*>(FromHandle(hWnd));
    dialog->m_pStartEvent->Wait();
    try {
        dialog->Work();
    } catch (...) {
        // The dialog must still hear that the worker is done.
    }
    ::PostMessageW(hWnd, WM_WORKER_DONE, 0, 0);
    return 0;
}

bool CWorkerDlg::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    (void)wParam;
    (void)lParam;
    if (msg != WM_WORKER_DONE)
        return false;
    CloseThread();
    OnWorkerDone();
    m_pStartEvent.reset();
    EndDialog(IDCANCEL);
    result = 0;
    return true;
}

void CWorkerDlg::CloseThread() {
    if (!m_hThread)
        return;
    ::WaitForSingleObject(m_hThread, INFINITE);
    ::CloseHandle(m_hThread);
    m_hThread = nullptr;
}
