#pragma once

#include "framework/ModalLoopWnd.h"
#include "framework/Time.h"

// The invisible windows that wait for what a setup program left running. Each runs a modal
// message loop on the thread that waits, driven by a timer, so that the user interface stays
// responsive while nothing happens.
//
// How they are used (WaitForSetupProcesses and WaitWhileVorqRuns below do exactly this):
//   1. create the window as a hidden, disabled child of the waiting dialog;
//   2. set its members (CWaitWnd) and its timer: IDT_WAIT_PROCESSES every second, or
//      IDT_WAIT_VORQ every four seconds;
//   3. RunModalLoop; a tick that decides ends the loop with 2 after killing its timer;
//   4. read the results (CWaitWnd) and destroy the window.

// What both windows share: an empty, hidden window of the wait windows' class.
class CWaitWndBase : public CModalLoopWnd {
public:
    bool Create(DWORD style, DWORD exStyle, HWND parent);

protected:
    void EndWait(UINT_PTR timerId);
};

// Waits until the number of processes has fallen back to what it was before the setup
// started, or until vorq.exe runs, or until the time limit has passed.
class CWaitWnd : public CWaitWndBase {
public:
    int m_nProcessCount = 0;           // before the setup was started
    int m_nTicks = 0;                  // ticks handled so far
    unsigned m_bVorqFound = 0;         // result: the wait ended because vorq.exe runs
    unsigned m_bProcessesFinished = 0; // result: the count had fallen back
    int m_nVorqOnly = 0;               // look only for vorq.exe, never at the count
    CTime m_timeStart;                 // when the wait began
    int m_nTimeOut = 0;                // seconds

protected:
    // Tests on ticks 1, 2, 3 and 4, then on every fourth: the count is expensive.
    bool OnTimer(UINT_PTR id) override;
};

// Waits for as long as vorq.exe runs.
class CWaitWnd2 : public CWaitWndBase {
protected:
    bool OnTimer(UINT_PTR id) override;
};

struct SetupWaitResult {
    bool bVorqFound = false;
    bool bProcessesFinished = false;
    int nTicks = 0;
};

// The wait for a setup's remaining processes, with CWaitWnd as a child of `parent`.
// `processCount` was taken before the setup started; `timeOut` is in seconds.
SetupWaitResult WaitForSetupProcesses(HWND parent, int processCount, int vorqOnly, int timeOut,
                                      UINT tickMilliseconds = 1000);

// The wait while vorq.exe runs, with CWaitWnd2 as a child of `parent`.
void WaitWhileVorqRuns(HWND parent, UINT tickMilliseconds = 4000);
