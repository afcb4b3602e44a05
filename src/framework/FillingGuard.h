#pragma once

#include <windows.h>

// Marks a list or tree control as being filled by the program for as long as the guard lives,
// so that the notifications that filling causes (LVN_ITEMCHANGED when items are inserted or
// checked by code, and the like) are not taken for the user's clicks. The mark is a property of
// the control's window, so every wrapper of the control sees it; guards nest.
class CFillingGuard {
public:
    explicit CFillingGuard(HWND control);
    ~CFillingGuard();
    CFillingGuard(const CFillingGuard&) = delete;
    CFillingGuard& operator=(const CFillingGuard&) = delete;

private:
    HWND m_hWnd;
};

// True while a guard of the control lives.
bool IsControlFilling(HWND control);
