// Stand-in for the setup program of an application or driver.
//
//   setup.exe [anything] [/run:MS] [/linger:MS] [/vorq:MS] [/flag:PATH] [/broadcast]
//
// Appends what it was started with to "<program path without .exe>.log" (UTF-8): a line
// "cmdline=<its command line>", a line "cwd=<its working directory>", a line "show=<the show
// state it was given>" (STARTUPINFO's wShowWindow, or "none" without STARTF_USESHOWWINDOW) and
// a line "pid=<its process id>"; with /linger a line "child=<process id>" naming the child it
// left behind, and with /vorq a line "vorq=<process id>". /run:MS keeps the setup itself
// running for MS milliseconds; /linger:MS starts a child that runs MS milliseconds after the
// setup has ended, as setups do that hand over to a process of their own. A child is the same
// program started with /child:MS; it records nothing. /vorq:MS starts the vorq.exe beside the
// setup, to run MS milliseconds. /flag:PATH writes the reboot flag file at PATH (up to the next
// blank, or in double quotes), as a setup does that replaced a file in use. /broadcast sends a
// message to every top-level window and waits until each has taken it, as setups do that announce
// a changed setting, and then records a line "broadcast=done".
#include "StandinLog.h"

#include <windows.h>

#include <cwchar>
#include <string>

namespace {

// The number after `option` in the command line, or -1.
long OptionValue(const std::wstring& commandLine, const wchar_t* option) {
    size_t at = commandLine.find(option);
    return at == std::wstring::npos
               ? -1
               : std::wcstol(commandLine.c_str() + at + wcslen(option), nullptr, 10);
}

// The text after `option` in the command line: up to the closing quote when it starts with a
// double quote, else up to the next blank. Empty when the option is not given.
std::wstring OptionText(const std::wstring& commandLine, const wchar_t* option) {
    size_t at = commandLine.find(option);
    if (at == std::wstring::npos)
        return {};
    at += wcslen(option);
    const bool quoted = at < commandLine.size() && commandLine[at] == L'"';
    if (quoted)
        ++at;
    const size_t end = commandLine.find(quoted ? L'"' : L' ', at);
    return commandLine.substr(at, end == std::wstring::npos ? std::wstring::npos : end - at);
}

// Starts a program; returns its process id, or 0.
DWORD Start(std::wstring line) {
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info = {};
    if (!::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &info))
        return 0;
    ::CloseHandle(info.hThread);
    ::CloseHandle(info.hProcess);
    return info.dwProcessId;
}

// The lingering child.
DWORD StartChild(long milliseconds) {
    return Start(L"\"" + ProgramPath() + L"\" /child:" + std::to_wstring(milliseconds));
}

// vorq.exe beside the program.
DWORD StartVorq(long milliseconds) {
    std::wstring program = ProgramPath();
    program = program.substr(0, program.rfind(L'\\') + 1) + L"vorq.exe";
    return Start(L"\"" + program + L"\" " + std::to_wstring(milliseconds));
}

// The show state the program was started with.
std::wstring ShowState() {
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    ::GetStartupInfoW(&startup);
    return startup.dwFlags & STARTF_USESHOWWINDOW ? std::to_wstring(startup.wShowWindow) : L"none";
}

// The reboot flag file: one line "Reboot" in UTF-16LE without a byte-order mark.
void WriteRebootFlag(const std::wstring& path) {
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    const wchar_t line[] = L"Reboot\r\n";
    DWORD written = 0;
    ::WriteFile(file, line, sizeof(line) - sizeof(wchar_t), &written, nullptr);
    ::CloseHandle(file);
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    std::wstring commandLine = ::GetCommandLineW();
    long child = OptionValue(commandLine, L"/child:");
    if (child >= 0) {
        ::Sleep(child);
        return 0;
    }
    wchar_t directory[MAX_PATH] = {};
    ::GetCurrentDirectoryW(MAX_PATH, directory);
    std::wstring record = L"cmdline=" + commandLine + L"\r\ncwd=" + directory + L"\r\nshow=" +
                          ShowState() + L"\r\npid=" + std::to_wstring(::GetCurrentProcessId()) +
                          L"\r\n";
    long linger = OptionValue(commandLine, L"/linger:");
    if (linger >= 0)
        record += L"child=" + std::to_wstring(StartChild(linger)) + L"\r\n";
    long vorq = OptionValue(commandLine, L"/vorq:");
    if (vorq >= 0)
        record += L"vorq=" + std::to_wstring(StartVorq(vorq)) + L"\r\n";
    std::wstring flag = OptionText(commandLine, L"/flag:");
    if (!flag.empty())
        WriteRebootFlag(flag);
    if (commandLine.find(L"/broadcast") != std::wstring::npos) {
        ::SendMessageW(HWND_BROADCAST, ::RegisterWindowMessageW(L"Melvorin.SetupStandin"), 0, 0);
        record += L"broadcast=done\r\n";
    }
    AppendToLog(record);
    long run = OptionValue(commandLine, L"/run:");
    if (run > 0)
        ::Sleep(run);
    return 0;
}
