#pragma once

#include <windows.h>

#include <string>

// The platform's ExitWindowsEx; tests put a stand-in here, so that the session goes on.
using ExitWindowsFunction = BOOL(WINAPI*)(UINT flags, DWORD reason);

// Restarts Windows, for the OK of the restart question. On the NT platform the process first
// enables its shutdown privilege, without which the restart is refused. When the restart cannot
// be started, a message box owned by `owner` and captioned `caption` (the configured title)
// says so, and the result is false.
bool RestartWindows(HWND owner, const std::wstring& caption,
                    ExitWindowsFunction exitWindows = ::ExitWindowsEx);

// The restart question after a run that staged a file for the next restart, with the text
// `reboot` of the language section: on Windows 5 (`nt5`) it only tells the user to restart,
// with OK; elsewhere OK restarts Windows and Cancel leaves the restart to the user. The question
// and the answer go to the run log.
void AskForRestart(HWND owner, const std::wstring& language, bool nt5,
                   ExitWindowsFunction exitWindows = ::ExitWindowsEx);
