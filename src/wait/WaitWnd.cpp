#include "wait/WaitWnd.h"

#include "resources/resource.h"
#include "wait/Processes.h"

namespace {
const wchar_t kVorq[] = L"vorq.exe";

// The caller's part of the protocol: a hidden, disabled child that lives for one wait.
bool CreateHidden(CWaitWndBase& window, HWND parent) {
    if (!window.Create(WS_CHILD, 0, parent))
        return false;
    window.ShowWindow(SW_HIDE);
    window.EnableWindow(false);
    return true;
}
} // namespace

bool CWaitWndBase::Create(DWORD style, DWORD exStyle, HWND parent) {
    std::wstring className =
        RegisterWndClass(CS_HREDRAW | CS_VREDRAW, ::LoadCursorW(nullptr, IDC_ARROW),
                         reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1)));
    RECT empty = {0, 0, 0, 0};
    return CreateEx(exStyle, className, L"", style, empty, parent, 0);
}

void CWaitWndBase::EndWait(UINT_PTR timerId) {
    KillTimer(timerId);
    EndModalLoop(2);
}

bool CWaitWnd::OnTimer(UINT_PTR id) {
    std::time_t elapsed = CTime::GetCurrentTime().GetTime() - m_timeStart.GetTime();
    ++m_nTicks;
    if (m_nTicks > 3 && m_nTicks % 4 != 0)
        return false;
    if (elapsed > m_nTimeOut) {
        EndWait(id);
    } else if (!m_nVorqOnly && CountProcesses() <= m_nProcessCount) {
        m_bProcessesFinished = 1;
        EndWait(id);
    } else if (IsProcessRunning(kVorq)) {
        m_bVorqFound = 1;
        EndWait(id);
    }
    return true;
}

bool CWaitWnd2::OnTimer(UINT_PTR id) {
    if (IsProcessRunning(kVorq))
        return false;
    EndWait(id);
    return true;
}

SetupWaitResult WaitForSetupProcesses(HWND parent, int processCount, int vorqOnly, int timeOut,
                                      UINT tickMilliseconds) {
    SetupWaitResult result;
    CWaitWnd window;
    if (!CreateHidden(window, parent))
        return result;
    window.m_nProcessCount = processCount;
    window.m_nTicks = 0;
    window.m_bVorqFound = 0;
    window.m_bProcessesFinished = 0;
    window.m_nVorqOnly = vorqOnly;
    window.m_timeStart = CTime::GetCurrentTime();
    window.m_nTimeOut = timeOut;
    // Without its timer the loop would never end.
    if (window.SetTimer(IDT_WAIT_PROCESSES, tickMilliseconds))
        window.RunModalLoop();
    result.bVorqFound = window.m_bVorqFound != 0;
    result.bProcessesFinished = window.m_bProcessesFinished != 0;
    result.nTicks = window.m_nTicks;
    window.DestroyWindow();
    return result;
}

void WaitWhileVorqRuns(HWND parent, UINT tickMilliseconds) {
    CWaitWnd2 window;
    if (CreateHidden(window, parent) && window.SetTimer(IDT_WAIT_VORQ, tickMilliseconds))
        window.RunModalLoop();
    window.DestroyWindow();
}
