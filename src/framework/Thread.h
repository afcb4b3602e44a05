#pragma once

#include <windows.h>

// The function a worker thread runs; its argument is the window it reports to.
using WorkerProc = UINT (*)(HWND hWnd);

// Starts a thread that runs `proc(hWnd)`, behind the exception barrier (a thread whose `proc`
// throws ends with 1). Returns the thread's handle, which the caller closes, or nullptr when
// no thread could be started.
HANDLE BeginThread(WorkerProc proc, HWND hWnd);
