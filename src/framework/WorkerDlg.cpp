#include "framework/WorkerDlg.h"

#include "framework/ExceptionBarrier.h"
#include "framework/Thread.h"

namespace {
// WM_WORKER_DONE's wParam: whether Work returned or threw.
constexpr WPARAM kWorkCompleted = 0;
constexpr WPARAM kWorkFailed = 1;
} // namespace

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
        OnWorkerFailed();
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
    const bool completed = RunBehindBarrier(L"a worker", [dialog] { dialog->Work(); });
    // The dialog hears that the worker is done in any case, and whether the work went through.
    ::PostMessageW(hWnd, WM_WORKER_DONE, completed ? kWorkCompleted : kWorkFailed, 0);
    return 0;
}

bool CWorkerDlg::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    (void)lParam;
    if (msg != WM_WORKER_DONE)
        return false;
    CloseThread();
    if (wParam == kWorkCompleted)
        OnWorkerDone();
    else
        OnWorkerFailed();
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
