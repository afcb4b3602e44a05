#pragma once

#include "framework/Wnd.h"

#include <string>

// A window of a class that the program registers, which can run a modal message loop of its
// own on the thread that created it, until a handler ends the loop. Messages go to virtual
// handlers, behind the exception barrier; what they leave alone, or throw on, goes to the
// default window procedure.
class CModalLoopWnd : public CWnd {
public:
    CModalLoopWnd() = default;
    ~CModalLoopWnd() override;
    CModalLoopWnd(const CModalLoopWnd&) = delete;
    CModalLoopWnd& operator=(const CModalLoopWnd&) = delete;

    // Registers (once) a window class with these properties and returns its name.
    static std::wstring RegisterWndClass(UINT classStyle, HCURSOR cursor, HBRUSH background);

    bool CreateEx(DWORD exStyle, const std::wstring& className, const std::wstring& title,
                  DWORD style, const RECT& rect, HWND parent, UINT id);
    bool DestroyWindow();

    // Dispatches the thread's messages until EndModalLoop; returns its result, or -1 when the
    // loop ended because the thread is quitting.
    int RunModalLoop();
    void EndModalLoop(int result);

protected:
    // Returns true when handled; otherwise the default window procedure gets the message.
    virtual bool OnTimer(UINT_PTR id);

private:
    static LRESULT CALLBACK WindowProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT Dispatch(UINT msg, WPARAM wParam, LPARAM lParam);

    bool m_bInModalLoop = false;
    int m_nModalResult = -1;
};
