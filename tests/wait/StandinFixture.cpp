#include "wait/StandinFixture.h"

#include "support/WindowDriver.h"

std::wstring StandinPath(const wchar_t* name) {
    return HostPath(MELVORIN_STANDIN_DIR) + L"\\" + name;
}

std::wstring ProbePath() {
    return HostPath(MELVORIN_PROBE_DIR) + L"\\process_probe.exe";
}

std::wstring CopyProgram(const std::wstring& program, const TempDir& directory,
                         const std::wstring& name) {
    std::wstring copy = directory / name;
    ::CopyFileW(program.c_str(), copy.c_str(), FALSE);
    return copy;
}

HiddenParent::HiddenParent()
    : m_hWnd(::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                               ::GetModuleHandleW(nullptr), nullptr)) {}

HiddenParent::~HiddenParent() {
    ::DestroyWindow(m_hWnd);
}

ProcessHandle::ProcessHandle(DWORD id)
    : m_hProcess(::OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, id)) {}

ProcessHandle::~ProcessHandle() {
    if (!m_hProcess)
        return;
    ::TerminateProcess(m_hProcess, 1);
    ::WaitForSingleObject(m_hProcess, 5000);
    ::CloseHandle(m_hProcess);
}

bool ProcessHandle::HasEnded() const {
    return ::WaitForSingleObject(m_hProcess, 0) == WAIT_OBJECT_0;
}

std::wstring LogValue(const std::wstring& log, const std::string& key) {
    std::string bytes = ReadBytes(log);
    size_t at = bytes.rfind(key + "=");
    if (at == std::string::npos)
        return {};
    at += key.size() + 1;
    std::string value = bytes.substr(at, bytes.find("\r\n", at) - at);
    std::wstring wide(value.size() + 1, L'\0');
    wide.resize(::MultiByteToWideChar(CP_UTF8, 0, value.c_str(), static_cast<int>(value.size()),
                                      wide.data(), static_cast<int>(wide.size())));
    return wide;
}
