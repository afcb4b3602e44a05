#pragma once

#include <windows.h>

#include <string>

// Starts the command line (case and arguments kept) in the working directory that
// CommandWorkingDirectory derives from it, shown with `showCommand` (SW_HIDE, SW_SHOWNORMAL
// ...), and with `wait` returns only when the process has ended. A process that cannot be
// started is passed over. The run log gets the command line, and the exit code of a process
// waited for.
void RunCommand(const std::wstring& commandLine, WORD showCommand, bool wait);

// RunCommand with the wait; true when the process started and ended with exit code 0.
bool RunCommandSucceeded(const std::wstring& commandLine, WORD showCommand);

// Logs that a process of the command line started (`process` not null) or could not start.
void LogStart(const std::wstring& commandLine, HANDLE process);
// Logs the exit code of a process that has ended; returns it (STILL_ACTIVE when unknown).
DWORD LogExitCode(const std::wstring& commandLine, HANDLE process);

// RunCommand with a wait during which the thread's windows stay alive: their messages are
// dispatched until the process ends, so that a program that broadcasts a message to every
// window does not wait for this thread for ever.
void RunCommandDispatching(const std::wstring& commandLine, WORD showCommand);

// The working directory of a command line:
// - without ":\" it is the current directory;
// - otherwise the directory of the program, found in a lower-cased copy of the line by the
//   first ".bat", else ".cmd", else ".exe", else "." (the line is cut 4 characters after
//   where that text starts, then at its last backslash), so that a dotted directory before a
//   batch file does not decide the cut;
// - a drive root gets its backslash back ("z:" becomes "z:\");
// - empty when the line holds no "." at all: the process then inherits ours.
// A double quote that opens the line is not part of the directory.
std::wstring CommandWorkingDirectory(const std::wstring& commandLine);
