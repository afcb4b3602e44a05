#pragma once

#include "install/LaunchSettings.h"
#include "wait/WaitWnd.h"

#include <windows.h>

#include <string>

// The periods of the wait windows' timers, in milliseconds. Tests shorten them.
struct WaitTicks {
    UINT processes = 1000; // CWaitWnd: the setup's remaining processes
    UINT vorq = 4000;      // CWaitWnd2: while vorq.exe runs
};

struct LaunchResult {
    bool started = false; // the setup's process was created
    bool waited = false;  // the wait windows ran, and `wait` holds their results
    SetupWaitResult wait;
};

// Starts a setup program and waits for it and for what it leaves running.
//
// The command line is started as it is, in the program's own current directory, its window
// shown when `showFlag` is 1 and hidden when 0. Without `settings.noWait`, the thread waits for
// the setup's process (unless `settings.vorqOnly`) and then for the processes it left behind,
// with wait windows that are children of `dialog`: until the number of processes has fallen
// back to what it was before the start, vorq.exe runs, or the time-out has passed (the long
// one with `longTime`); then while vorq.exe runs. The waits keep dispatching the thread's
// messages. The process and thread handles are closed on every path.
LaunchResult LaunchAndWait(HWND dialog, const std::wstring& commandLine, int showFlag,
                           const LaunchSettings& settings, bool longTime,
                           const WaitTicks& ticks = {});
