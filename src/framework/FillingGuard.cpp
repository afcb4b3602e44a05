#include "framework/FillingGuard.h"

namespace {

const wchar_t kFillingProperty[] = L"Melvorin.Filling";

INT_PTR FillingDepth(HWND control) {
    return reinterpret_cast<INT_PTR>(::GetPropW(control, kFillingProperty));
}

// The property is removed at depth 0, so that none is left on the window when it goes.
void SetFillingDepth(HWND control, INT_PTR depth) {
    if (depth == 0) {
        ::RemovePropW(control, kFillingProperty);
        return;
    }
    // Without memory for the property the control's notifications count as the user's; there
    // is nothing better to do then.
    ::SetPropW(control, kFillingProperty, reinterpret_cast<HANDLE>(depth));
}

} // namespace

CFillingGuard::CFillingGuard(HWND control) : m_hWnd(control) {
    SetFillingDepth(m_hWnd, FillingDepth(m_hWnd) + 1);
}

CFillingGuard::~CFillingGuard() {
    const INT_PTR depth = FillingDepth(m_hWnd);
    SetFillingDepth(m_hWnd, depth > 0 ? depth - 1 : 0);
}

bool IsControlFilling(HWND control) {
    return FillingDepth(control) > 0;
}
