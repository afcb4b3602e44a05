#include "framework/Wnd.h"

HWND CWnd::Detach() {
    HWND hWnd = m_hWnd;
    m_hWnd = nullptr;
    return hWnd;
}

std::wstring CWnd::GetWindowText() const {
    int length = ::GetWindowTextLengthW(m_hWnd);
    std::wstring text(length + 1, L'\0');
    text.resize(::GetWindowTextW(m_hWnd, text.data(), length + 1));
    return text;
}

std::wstring LoadResString(UINT id) {
    // With a zero buffer length LoadStringW hands out a pointer into the resource itself,
    // which is not terminated, together with the length.
    const wchar_t* text = nullptr;
    int length = ::LoadStringW(::GetModuleHandleW(nullptr), id, reinterpret_cast<LPWSTR>(&text), 0);
    return length > 0 ? std::wstring(text, length) : std::wstring();
}
