#include "framework/ExceptionBarrier.h"

#include <windows.h>

#include <exception>
#include <string>

namespace {
// The text of a std::exception, which is narrow, in the system's code page.
std::wstring Widen(const char* text) {
    const int length = ::MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    if (length <= 1)
        return std::wstring();
    std::wstring wide(length, L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, text, -1, wide.data(), length);
    wide.resize(length - 1);
    return wide;
}

std::wstring DescribeCurrentException() {
    try {
        throw;
    } catch (const std::exception& e) {
        return Widen(e.what());
    } catch (...) {
        return L"an exception that is not a std::exception";
    }
}
} // namespace

void RecordCaughtException(const wchar_t* where) noexcept {
    try {
        std::wstring text = std::wstring(L"Melvorin: exception in ") + where + L": " +
                            DescribeCurrentException() + L"\n";
        ::OutputDebugStringW(text.c_str());
    } catch (...) {
        // Out of memory for the text: the place alone still says what happened.
        ::OutputDebugStringW(L"Melvorin: exception in a handler\n");
    }
}
