#pragma once

#include <windows.h>

#include <string>

// A window handle with the few operations the system uses. It never owns the window: copying
// a CWnd copies the handle, and destroying one leaves the window alone.
class CWnd {
public:
    CWnd() = default;
    explicit CWnd(HWND hWnd) : m_hWnd(hWnd) {}
    virtual ~CWnd() = default;

    operator HWND() const { return m_hWnd; }
    HWND GetSafeHwnd() const { return m_hWnd; }
    void Attach(HWND hWnd) { m_hWnd = hWnd; }
    HWND Detach();

    CWnd GetDlgItem(int id) const { return CWnd(::GetDlgItem(m_hWnd, id)); }
    CWnd GetParent() const { return CWnd(::GetParent(m_hWnd)); }

    std::wstring GetWindowText() const;
    void SetWindowText(const std::wstring& text) const { ::SetWindowTextW(m_hWnd, text.c_str()); }
    std::wstring GetDlgItemText(int id) const { return GetDlgItem(id).GetWindowText(); }
    void SetDlgItemText(int id, const std::wstring& text) const {
        GetDlgItem(id).SetWindowText(text);
    }

    void EnableWindow(bool enable) const { ::EnableWindow(m_hWnd, enable); }
    bool IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd) != FALSE; }
    void ShowWindow(int show) const { ::ShowWindow(m_hWnd, show); }
    bool IsWindowVisible() const { return ::IsWindowVisible(m_hWnd) != FALSE; }

    LRESULT SendMessage(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::SendMessageW(m_hWnd, msg, wParam, lParam);
    }
    bool PostMessage(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::PostMessageW(m_hWnd, msg, wParam, lParam) != FALSE;
    }

    UINT_PTR SetTimer(UINT_PTR id, UINT elapse) const {
        return ::SetTimer(m_hWnd, id, elapse, nullptr);
    }
    void KillTimer(UINT_PTR id) const { ::KillTimer(m_hWnd, id); }

protected:
    HWND m_hWnd = nullptr;
};

// Loads a string of the program's string table; empty when it has none of that id.
std::wstring LoadResString(UINT id);
