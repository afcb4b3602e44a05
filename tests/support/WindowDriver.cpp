#include "support/WindowDriver.h"

#include <cwchar>

namespace {

struct Search {
    DWORD processId;
    const std::function<bool(HWND)>* accept;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectWindow(HWND hWnd, LPARAM lParam) {
    auto* search = reinterpret_cast<Search*>(lParam);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(hWnd, &owner);
    if ((!search->processId || owner == search->processId) && ::IsWindowVisible(hWnd) &&
        (*search->accept)(hWnd))
        search->found.push_back(hWnd);
    return TRUE;
}

// The visible top-level windows of the process (of any, when 0) that `accept` takes.
std::vector<HWND> CollectWindows(DWORD processId, const std::function<bool(HWND)>& accept) {
    Search search{processId, &accept, {}};
    ::EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool HasClass(HWND hWnd, const wchar_t* className) {
    wchar_t name[256];
    return ::GetClassNameW(hWnd, name, 256) && ::_wcsicmp(name, className) == 0;
}

BOOL CALLBACK CheckMessageBoxChild(HWND child, LPARAM lParam) {
    auto* onlyButtonsAndStatics = reinterpret_cast<bool*>(lParam);
    *onlyButtonsAndStatics = HasClass(child, L"Button") || HasClass(child, L"Static");
    return *onlyButtonsAndStatics;
}

bool IsMessageBox(HWND hWnd) {
    if (!HasClass(hWnd, L"#32770") || !::GetDlgItem(hWnd, 0xFFFF))
        return false;
    bool onlyButtonsAndStatics = true;
    ::EnumChildWindows(hWnd, CheckMessageBoxChild,
                       reinterpret_cast<LPARAM>(&onlyButtonsAndStatics));
    return onlyButtonsAndStatics;
}

} // namespace

std::vector<HWND> FindWindows(const wchar_t* className, const std::wstring& title,
                              DWORD processId) {
    return CollectWindows(processId, [&](HWND hWnd) {
        return (!className || HasClass(hWnd, className)) && WindowText(hWnd) == title;
    });
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
    DWORD start = ::GetTickCount();
    while (!condition()) {
        if (::GetTickCount() - start >= timeoutMs)
            return false;
        ::Sleep(20);
    }
    return true;
}

HWND WaitForWindow(const wchar_t* className, const std::wstring& title, DWORD timeoutMs,
                   DWORD processId) {
    HWND window = nullptr;
    WaitUntil(
        [&] {
            std::vector<HWND> found = FindWindows(className, title, processId);
            window = found.empty() ? nullptr : found.front();
            return window != nullptr;
        },
        timeoutMs);
    return window;
}

bool WaitForWindowGone(HWND hWnd, DWORD timeoutMs) {
    return WaitUntil([hWnd] { return !::IsWindow(hWnd); }, timeoutMs);
}

std::wstring WindowText(HWND hWnd) {
    wchar_t text[1024] = {};
    // WM_GETTEXT rather than GetWindowText, which does not read other processes' controls.
    ::SendMessageTimeoutW(hWnd, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                          5000, nullptr);
    return text;
}

std::wstring ItemText(HWND dialog, int id) {
    return WindowText(::GetDlgItem(dialog, id));
}

MessageBoxSeen WaitForMessageBox(DWORD processId, HWND owner, DWORD timeoutMs) {
    MessageBoxSeen seen;
    WaitUntil(
        [&] {
            std::vector<HWND> boxes = CollectWindows(processId, [owner](HWND hWnd) {
                return (!owner || ::GetWindow(hWnd, GW_OWNER) == owner) && IsMessageBox(hWnd);
            });
            seen.window = boxes.empty() ? nullptr : boxes.front();
            return seen.window != nullptr;
        },
        timeoutMs);
    if (seen.window) {
        seen.caption = WindowText(seen.window);
        seen.text = ItemText(seen.window, 0xFFFF);
    }
    return seen;
}

void PressButton(HWND dialog, int id) {
    ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}

std::wstring HostPath(const std::string& path) {
    std::wstring result = L"Z:";
    for (char c : path)
        result += c == '/' ? L'\\' : static_cast<wchar_t>(static_cast<unsigned char>(c));
    return result;
}

ChildProcess::ChildProcess(const std::wstring& commandLine, const std::wstring& directory) {
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    std::wstring line = commandLine;
    if (!::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          directory.c_str(), &startup, &m_info))
        m_info = {};
}

ChildProcess::~ChildProcess() {
    if (!m_info.hProcess)
        return;
    if (!WaitForExit(0))
        ::TerminateProcess(m_info.hProcess, 1);
    ::WaitForSingleObject(m_info.hProcess, 5000);
    ::CloseHandle(m_info.hThread);
    ::CloseHandle(m_info.hProcess);
}

bool ChildProcess::WaitForExit(DWORD timeoutMs) const {
    return ::WaitForSingleObject(m_info.hProcess, timeoutMs) == WAIT_OBJECT_0;
}

DWORD ChildProcess::ExitCode() const {
    DWORD code = STILL_ACTIVE;
    ::GetExitCodeProcess(m_info.hProcess, &code);
    return code;
}

std::string RunAndCapture(const std::wstring& commandLine, const std::wstring& directory,
                          DWORD timeoutMs) {
    SECURITY_ATTRIBUTES inherit = {};
    inherit.nLength = sizeof(inherit);
    inherit.bInheritHandle = TRUE;
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    if (!::CreatePipe(&readEnd, &writeEnd, &inherit, 0))
        return {};
    ::SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd;
    startup.hStdError = writeEnd;
    PROCESS_INFORMATION info = {};
    std::wstring line = commandLine;
    BOOL started = ::CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                    directory.c_str(), &startup, &info);
    ::CloseHandle(writeEnd);
    std::string output;
    if (started) {
        char buffer[4096];
        DWORD got = 0;
        while (::ReadFile(readEnd, buffer, sizeof(buffer), &got, nullptr) && got > 0)
            output.append(buffer, got);
        if (::WaitForSingleObject(info.hProcess, timeoutMs) != WAIT_OBJECT_0)
            ::TerminateProcess(info.hProcess, 1);
        ::CloseHandle(info.hThread);
        ::CloseHandle(info.hProcess);
    }
    ::CloseHandle(readEnd);
    return output;
}

std::wstring HolderCommandLine(const std::wstring& holder, const std::wstring& ready,
                               const std::vector<std::wstring>& files) {
    std::wstring line = L"\"" + holder + L"\" \"" + ready + L"\"";
    for (const std::wstring& file : files)
        line += L" \"" + file + L"\"";
    return line;
}
