#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// Drives the windows of the program under test from another thread or process: finds them,
// reads their controls and presses their buttons, as a user would.

// True as soon as `condition` holds, false when it did not within the time.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = 10000);

// Waits until a top-level window of the class (nullptr: any) with the title exists and is
// visible; nullptr after the timeout. A process id other than 0 takes only that process's
// windows, since tests running at the same time may show windows of the same title.
HWND WaitForWindow(const wchar_t* className, const std::wstring& title, DWORD timeoutMs = 10000,
                   DWORD processId = 0);
// Waits until the window is gone; false after the timeout.
bool WaitForWindowGone(HWND hWnd, DWORD timeoutMs = 10000);
// A dialog window of this process.
inline HWND WaitForOwnDialog(const std::wstring& title, DWORD timeoutMs = 10000) {
    return WaitForWindow(L"#32770", title, timeoutMs, ::GetCurrentProcessId());
}

// All visible top-level windows of the class with the title (of the process, when not 0).
std::vector<HWND> FindWindows(const wchar_t* className, const std::wstring& title,
                              DWORD processId = 0);
std::wstring WindowText(HWND hWnd);
std::wstring ItemText(HWND dialog, int id);

// A message box as the program shows it: its window, caption and text.
struct MessageBoxSeen {
    HWND window = nullptr;
    std::wstring caption;
    std::wstring text;
};
// Waits for a message box of the process, owned by `owner` when one is given; `window` is
// nullptr after the timeout. A message box is a visible dialog that holds only buttons and
// statics, its text being the static 0xFFFF.
MessageBoxSeen WaitForMessageBox(DWORD processId, HWND owner = nullptr, DWORD timeoutMs = 10000);
// Presses a button of a dialog or message box of any process. The press is posted, so that a
// modal loop sees it, and the call returns at once.
void PressButton(HWND dialog, int id);

// The Windows form of a path of the build machine (under Wine, drive Z: is its root).
std::wstring HostPath(const std::string& path);

// A program started with a current directory of its own; killed if still running at the end.
class ChildProcess {
public:
    ChildProcess(const std::wstring& commandLine, const std::wstring& directory);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool Started() const { return m_info.hProcess != nullptr; }
    // True when the process ended within the time.
    bool WaitForExit(DWORD timeoutMs = 10000) const;
    DWORD ExitCode() const;
    DWORD Id() const { return m_info.dwProcessId; }

private:
    PROCESS_INFORMATION m_info = {};
};

// The command line of file_holder.exe at `holder`: it holds the files open without sharing them
// for writing, and creates `ready` once it does.
std::wstring HolderCommandLine(const std::wstring& holder, const std::wstring& ready,
                               const std::vector<std::wstring>& files);

// Runs a program to its end and returns what it wrote to standard output.
std::string RunAndCapture(const std::wstring& commandLine, const std::wstring& directory,
                          DWORD timeoutMs = 10000);
