#include "framework/ModalLoopWnd.h"

#include "framework/ExceptionBarrier.h"

CModalLoopWnd::~CModalLoopWnd() {
    DestroyWindow();
}

std::wstring CModalLoopWnd::RegisterWndClass(UINT classStyle, HCURSOR cursor, HBRUSH background) {
    wchar_t name[96];
    ::swprintf(name, 96, L"Melvorin:%x:%p:%p", classStyle, static_cast<void*>(cursor),
               static_cast<void*>(background));
    WNDCLASSW wc = {};
    HINSTANCE instance = ::GetModuleHandleW(nullptr);
    if (!::GetClassInfoW(instance, name, &wc)) {
        wc.style = classStyle;
        wc.lpfnWndProc = WindowProc;
        wc.hInstance = instance;
        wc.hCursor = cursor;
        wc.hbrBackground = background;
        wc.lpszClassName = name;
        ::RegisterClassW(&wc);
    }
    return name;
}

bool CModalLoopWnd::CreateEx(DWORD exStyle, const std::wstring& className,
                             const std::wstring& title, DWORD style, const RECT& rect, HWND parent,
                             UINT id) {
    // WindowProc binds the object at WM_NCCREATE, so that no message of the creation is lost.
    HMENU menu = (style & WS_CHILD) ? reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)) : nullptr;
    return ::CreateWindowExW(exStyle, className.c_str(), title.c_str(), style, rect.left, rect.top,
                             rect.right - rect.left, rect.bottom - rect.top, parent, menu,
                             ::GetModuleHandleW(nullptr), this) != nullptr;
}

bool CModalLoopWnd::DestroyWindow() {
    return m_hWnd && ::DestroyWindow(m_hWnd);
}

int CModalLoopWnd::RunModalLoop() {
    m_bInModalLoop = true;
    m_nModalResult = -1;
    MSG msg;
    while (m_bInModalLoop) {
        BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
        if (got <= 0) {
            // The quit message belongs to the thread's own loop, further out.
            if (got == 0)
                ::PostQuitMessage(static_cast<int>(msg.wParam));
            m_bInModalLoop = false;
            return -1;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return m_nModalResult;
}

void CModalLoopWnd::EndModalLoop(int result) {
    m_nModalResult = result;
    m_bInModalLoop = false;
}

bool CModalLoopWnd::OnTimer(UINT_PTR id) {
    (void)id;
    return false;
}

LRESULT CALLBACK CModalLoopWnd::WindowProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        auto* window =
            static_cast<CModalLoopWnd*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        window->m_hWnd = hWnd;
        ::SetWindowLongPtrW(hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(window));
    }
    auto* window = reinterpret_cast<CModalLoopWnd*>(::GetWindowLongPtrW(hWnd, GWLP_USERDATA));
    return window ? window->Dispatch(msg, wParam, lParam)
                  : ::DefWindowProcW(hWnd, msg, wParam, lParam);
}

LRESULT CModalLoopWnd::Dispatch(UINT msg, WPARAM wParam, LPARAM lParam) {
    HWND hWnd = m_hWnd;
    bool handled = false;
    if (msg == WM_TIMER)
        RunBehindBarrier(L"a modal-loop window", [&] { handled = OnTimer(wParam); });
    if (handled)
        return 0;
    if (msg == WM_NCDESTROY) {
        ::SetWindowLongPtrW(hWnd, GWLP_USERDATA, 0);
        m_hWnd = nullptr;
    }
    return ::DefWindowProcW(hWnd, msg, wParam, lParam);
}
