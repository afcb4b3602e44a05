#pragma once

// What the stand-ins share: their own path, and the log beside them in which they record how
// they were started (UTF-8, appended to, never in the way of the stand-in's work).
#include <windows.h>

#include <string>

inline std::wstring ProgramPath() {
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    return path;
}

inline std::string Utf8(const std::wstring& text) {
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()),
                                           nullptr, 0, nullptr, nullptr);
    std::string bytes(size > 0 ? size : 0, '\0');
    if (size > 0)
        ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), bytes.data(),
                              size, nullptr, nullptr);
    return bytes;
}

// Appends the text to "<program path without .exe>.log".
inline void AppendToLog(const std::wstring& text) {
    std::wstring log = ProgramPath();
    const size_t dot = log.rfind(L'.');
    log = (dot == std::wstring::npos ? log : log.substr(0, dot)) + L".log";
    HANDLE file = ::CreateFileW(log.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                                OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    const std::string bytes = Utf8(text);
    DWORD written = 0;
    ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    ::CloseHandle(file);
}
