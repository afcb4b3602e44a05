// Stand-in for the setup program of an application or driver.
//
//   setup.exe [anything] [/run:MS] [/linger:MS]
//
// Appends what it was started with to "<program path without .exe>.log" (UTF-8): a line
// "cmdline=<its command line>", a line "cwd=<its working directory>" and, with /linger, a line
// "child=<process id>" naming the child it left behind. /run:MS keeps the setup itself
// running for MS milliseconds; /linger:MS starts a child that runs MS milliseconds after the
// setup has ended, as setups do that hand over to a process of their own. A child is the same
// program started with /child:MS; it records nothing.
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

std::wstring ProgramPath() {
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    return path;
}

std::string Utf8(const std::wstring& text) {
    int size = ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()),
                                     nullptr, 0, nullptr, nullptr);
    std::string bytes(size, '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), bytes.data(),
                          size, nullptr, nullptr);
    return bytes;
}

void AppendToLog(const std::wstring& text) {
    std::wstring log = ProgramPath();
    size_t dot = log.rfind(L'.');
    log = (dot == std::wstring::npos ? log : log.substr(0, dot)) + L".log";
    HANDLE file = ::CreateFileW(log.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                                OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    std::string bytes = Utf8(text);
    DWORD written = 0;
    ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    ::CloseHandle(file);
}

// Starts the lingering child; returns its process id, or 0.
DWORD StartChild(long milliseconds) {
    std::wstring line = L"\"" + ProgramPath() + L"\" /child:" + std::to_wstring(milliseconds);
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
    std::wstring record = L"cmdline=" + commandLine + L"\r\ncwd=" + directory + L"\r\n";
    long linger = OptionValue(commandLine, L"/linger:");
    if (linger >= 0)
        record += L"child=" + std::to_wstring(StartChild(linger)) + L"\r\n";
    AppendToLog(record);
    long run = OptionValue(commandLine, L"/run:");
    if (run > 0)
        ::Sleep(run);
    return 0;
}
