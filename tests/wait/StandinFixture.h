#pragma once

#include "support/FileBytes.h"
#include "support/TempDir.h"
#include "support/WindowDriver.h"

#include <windows.h>

#include <string>

// The stand-in programs, copied into a test's own directory under the names the test needs.
std::wstring StandinPath(const wchar_t* name);
std::wstring ProbePath();
// Copies a stand-in (or the probe) to `directory\name`; returns the copy's path.
std::wstring CopyProgram(const std::wstring& program, const TempDir& directory,
                         const std::wstring& name);

// A hidden top-level window for the wait windows to be children of.
class HiddenParent {
public:
    HiddenParent();
    ~HiddenParent();
    HiddenParent(const HiddenParent&) = delete;
    HiddenParent& operator=(const HiddenParent&) = delete;
    operator HWND() const { return m_hWnd; }

private:
    HWND m_hWnd;
};

// A process of the session opened by its id, to see whether it has ended and to end it.
class ProcessHandle {
public:
    explicit ProcessHandle(DWORD id);
    ~ProcessHandle();
    ProcessHandle(const ProcessHandle&) = delete;
    ProcessHandle& operator=(const ProcessHandle&) = delete;
    bool IsOpen() const { return m_hProcess != nullptr; }
    bool HasEnded() const;

private:
    HANDLE m_hProcess;
};

// The value of `key=` in the stand-in's log, from its last record.
std::wstring LogValue(const std::wstring& log, const std::string& key);
