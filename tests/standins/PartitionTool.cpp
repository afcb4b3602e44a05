// Stand-in for the partition tool INSTALL.DLL. With a drive argument ("Z:") it makes the
// prepared hidden partition reachable, without one it hides it again: the partition is a
// directory that the drive's link points at, and it is renamed into or out of that place.
//
// Its settings lie beside it, in its own path followed by ".ini", section [Partition]:
//   Hidden=  the directory while the partition is hidden
//   Shown=   the directory the drive's link points at
//   Log=     a file to which each call appends one line, UTF-8:
//            the command line, a tab, the working directory
#include "StandinLog.h"

#include <windows.h>

#include <string>
#include <vector>

namespace {
std::wstring ModulePath() {
    std::vector<wchar_t> path(MAX_PATH);
    for (;;) {
        const DWORD length =
            ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size())
            return std::wstring(path.data(), length);
        path.resize(path.size() * 2);
    }
}

std::wstring Setting(const std::wstring& settings, const wchar_t* key) {
    wchar_t value[1024] = {};
    ::GetPrivateProfileStringW(L"Partition", key, L"", value, 1024, settings.c_str());
    return value;
}

void AppendLog(const std::wstring& log) {
    wchar_t dir[MAX_PATH] = {};
    ::GetCurrentDirectoryW(MAX_PATH, dir);
    const std::string line = Utf8(std::wstring(::GetCommandLineW()) + L"\t" + dir) + "\r\n";
    HANDLE file = ::CreateFileW(log.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                                OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    DWORD written = 0;
    ::WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    ::CloseHandle(file);
}

// The first argument after the program's name, if any.
bool HasDriveArgument() {
    int count = 0;
    LPWSTR* args = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    ::LocalFree(args);
    return count > 1;
}
} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
    const std::wstring settings = ModulePath() + L".ini";
    const std::wstring log = Setting(settings, L"Log");
    if (!log.empty())
        AppendLog(log);
    const std::wstring hidden = Setting(settings, L"Hidden");
    const std::wstring shown = Setting(settings, L"Shown");
    if (hidden.empty() || shown.empty())
        return 1;
    const bool expose = HasDriveArgument();
    const std::wstring& from = expose ? hidden : shown;
    const std::wstring& to = expose ? shown : hidden;
    return ::MoveFileW(from.c_str(), to.c_str()) ? 0 : 2;
}
