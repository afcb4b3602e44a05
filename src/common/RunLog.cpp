#include "common/RunLog.h"

#include "common/InstallIni.h"
#include "common/TextCase.h"

#include <windows.h>

#include <cwchar>

namespace {

// The shipped programs use the platform's threads without the C++ runtime's mutex, so the log
// holds a critical section of its own.
struct RunLogState {
    RunLogState() { ::InitializeCriticalSection(&lock); }
    CRITICAL_SECTION lock;
    std::wstring path;
};

RunLogState& State() {
    static RunLogState state;
    return state;
}

class CLock {
public:
    explicit CLock(CRITICAL_SECTION& section) : m_section(section) {
        ::EnterCriticalSection(&m_section);
    }
    ~CLock() { ::LeaveCriticalSection(&m_section); }
    CLock(const CLock&) = delete;
    CLock& operator=(const CLock&) = delete;

private:
    CRITICAL_SECTION& m_section;
};

std::wstring LocalTimeStamp() {
    SYSTEMTIME now = {};
    ::GetLocalTime(&now);
    wchar_t stamp[32];
    std::swprintf(stamp, 32, L"%04u-%02u-%02u %02u:%02u:%02u", now.wYear, now.wMonth, now.wDay,
                  now.wHour, now.wMinute, now.wSecond);
    return stamp;
}

// Appends the bytes, with the byte-order mark first in a new or empty file.
void AppendUtf16(const std::wstring& path, const std::wstring& text) {
    const HANDLE file = ::CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                                      OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return; // passed over: the log never stops a run
    LARGE_INTEGER size = {};
    std::wstring data =
        ::GetFileSizeEx(file, &size) && size.QuadPart == 0 ? L"\xFEFF" + text : text;
    DWORD written = 0;
    ::WriteFile(file, data.data(), static_cast<DWORD>(data.size() * sizeof(wchar_t)), &written,
                nullptr);
    ::CloseHandle(file);
}

} // namespace

std::wstring RunLogPathFor(const std::wstring& setting, const SystemLayout& layout) {
    const std::wstring lowered = MakeLower(setting);
    if (lowered.empty() || lowered == L"no" || lowered == L"off")
        return {};
    if (lowered == L"yes")
        return layout.WindowsDir() + L"\\Melvorin.log";
    return setting;
}

void ConfigureRunLog(const SystemLayout& layout) {
    SetRunLogPath(RunLogPathFor(GeneralValue(L"RunLog", L""), layout));
}

void SetRunLogPath(const std::wstring& path) {
    RunLogState& state = State();
    const CLock guard(state.lock);
    state.path = path;
}

bool IsRunLogOn() {
    RunLogState& state = State();
    const CLock guard(state.lock);
    return !state.path.empty();
}

void LogRun(const std::wstring& text) {
    RunLogState& state = State();
    const CLock guard(state.lock);
    if (!state.path.empty())
        AppendUtf16(state.path, LocalTimeStamp() + L"  " + text + L"\r\n");
}
