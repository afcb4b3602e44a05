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
