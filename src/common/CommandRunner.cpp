#include "common/CommandRunner.h"

#include "common/CurrentDir.h"
#include "common/RunLog.h"
#include "common/core/StringRules.h"
#include "framework/MessageWait.h"

#include <algorithm>

namespace {
// Where the program's name ends in the lower-cased line, by the first extension that occurs.
size_t ProgramNameEnd(const std::wstring& lowered) {
    for (const wchar_t* extension : {L".bat", L".cmd", L".exe", L"."}) {
        const size_t at = lowered.find(extension);
        if (at != std::wstring::npos)
            return at + 4;
    }
    return std::wstring::npos;
}
} // namespace

std::wstring CommandWorkingDirectory(const std::wstring& commandLine) {
    if (commandLine.find(L":\\") == std::wstring::npos)
        return GetCurrentDir();
    std::wstring dir = textcore::LowerAsciiLetters(commandLine);
    const size_t end = ProgramNameEnd(dir);
    if (end == std::wstring::npos)
        return {};
    dir.resize(std::min(end, dir.size()));
    const size_t slash = dir.rfind(L'\\');
    dir.resize(slash == std::wstring::npos ? 0 : slash);
    // A quoted program path would otherwise leave its quote in the directory, and the
    // process would never start.
    if (!dir.empty() && dir.front() == L'"')
        dir.erase(0, 1);
    if (!dir.empty() && dir.back() == L':')
        dir += L'\\';
    return dir;
}

namespace {
// The started process's handle, or nullptr when it could not be started.
HANDLE StartCommand(const std::wstring& commandLine, WORD showCommand) {
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = showCommand;
    const std::wstring dir = CommandWorkingDirectory(commandLine);
    std::wstring line = commandLine; // CreateProcessW may write into it
    PROCESS_INFORMATION process = {};
    if (!::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS,
                          nullptr, dir.empty() ? nullptr : dir.c_str(), &startup, &process))
        return nullptr;
    ::CloseHandle(process.hThread);
    return process.hProcess;
}
} // namespace

void LogStart(const std::wstring& commandLine, HANDLE process) {
    LogRun((process ? L"Started: " : L"Could not start: ") + commandLine);
}

DWORD LogExitCode(const std::wstring& commandLine, HANDLE process) {
    DWORD exitCode = STILL_ACTIVE;
    if (!::GetExitCodeProcess(process, &exitCode))
        exitCode = STILL_ACTIVE;
    LogRun(L"Ended with exit code " + std::to_wstring(exitCode) + L": " + commandLine);
    return exitCode;
}

void RunCommand(const std::wstring& commandLine, WORD showCommand, bool wait) {
    HANDLE process = StartCommand(commandLine, showCommand);
    LogStart(commandLine, process);
    if (!process)
        return;
    if (wait) {
        ::WaitForSingleObject(process, INFINITE);
        LogExitCode(commandLine, process);
    }
    ::CloseHandle(process);
}

bool RunCommandSucceeded(const std::wstring& commandLine, WORD showCommand) {
    HANDLE process = StartCommand(commandLine, showCommand);
    LogStart(commandLine, process);
    if (!process)
        return false;
    ::WaitForSingleObject(process, INFINITE);
    const bool succeeded = LogExitCode(commandLine, process) == 0;
    ::CloseHandle(process);
    return succeeded;
}

void RunCommandDispatching(const std::wstring& commandLine, WORD showCommand) {
    HANDLE process = StartCommand(commandLine, showCommand);
    LogStart(commandLine, process);
    if (!process)
        return;
    WaitDispatchingMessages(process);
    LogExitCode(commandLine, process);
    ::CloseHandle(process);
}
