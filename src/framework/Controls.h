#pragma once

#include "framework/Wnd.h"

#include <commctrl.h>

// Wrappers of the controls the system uses; like CWnd they never own their window.

class CButton : public CWnd {
public:
    using CWnd::CWnd;
    int GetCheck() const { return static_cast<int>(SendMessage(BM_GETCHECK)); }
    void SetCheck(int state) const { SendMessage(BM_SETCHECK, state); }
};

class CStatic : public CWnd {
public:
    using CWnd::CWnd;
    // Shows a bitmap in a picture control; returns the bitmap it showed before.
    HBITMAP SetBitmap(HBITMAP bitmap) const {
        return reinterpret_cast<HBITMAP>(
            SendMessage(STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap)));
    }
};

// Progress with a 32-bit range, so that trees of more than 65,535 entries still fill it.
class CProgressCtrl : public CWnd {
public:
    using CWnd::CWnd;
    void SetRange32(int lower, int upper) const { SendMessage(PBM_SETRANGE32, lower, upper); }
    int SetPos(int pos) const { return static_cast<int>(SendMessage(PBM_SETPOS, pos)); }
    int GetPos() const { return static_cast<int>(SendMessage(PBM_GETPOS)); }
    int GetUpper() const { return static_cast<int>(SendMessage(PBM_GETRANGE, FALSE)); }
    void SetStep(int step) const { SendMessage(PBM_SETSTEP, step); }
    void StepIt() const { SendMessage(PBM_STEPIT); }
};

class CAnimateCtrl : public CWnd {
public:
    using CWnd::CWnd;
    // Opens an "AVI" resource of the program.
    bool Open(UINT resourceId) const {
        return SendMessage(ACM_OPENW, reinterpret_cast<WPARAM>(::GetModuleHandleW(nullptr)),
                           reinterpret_cast<LPARAM>(MAKEINTRESOURCEW(resourceId))) != FALSE;
    }
    // Frames `from` to `to` (0xFFFF: the last), `repeat` times (-1: endlessly).
    bool Play(UINT from, UINT to, UINT repeat) const {
        return SendMessage(ACM_PLAY, repeat, MAKELONG(from, to)) != FALSE;
    }
};
