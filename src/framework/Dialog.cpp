#include "framework/Dialog.h"

#include "framework/ExceptionBarrier.h"

namespace {
const wchar_t kObjectProperty[] = L"Melvorin.CDialog";
}

INT_PTR CDialog::DoModal() {
    return ::DialogBoxParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(m_templateId), m_hOwner,
                             DialogProc, reinterpret_cast<LPARAM>(this));
}

INT_PTR CDialog::DoModal(HWND owner) {
    m_hOwner = owner;
    return DoModal();
}

bool CDialog::OnCommand(UINT id, UINT code, HWND hControl) {
    (void)code;
    (void)hControl;
    switch (id) {
    case IDOK:
        OnOK();
        return true;
    case IDCANCEL:
        OnCancel();
        return true;
    default:
        return false;
    }
}

bool CDialog::OnNotify(NMHDR* header, LRESULT& result) {
    (void)header;
    (void)result;
    return false;
}

void CDialog::OnTimer(UINT_PTR id) {
    (void)id;
}

bool CDialog::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    (void)msg;
    (void)wParam;
    (void)lParam;
    (void)result;
    return false;
}

bool CDialog::OnNotifyFailed(const NMHDR& header, LRESULT& result) {
    (void)header;
    (void)result;
    return false;
}

// The object lives in a window property rather than in DWLP_USER, which stays free for the
// dialogs themselves, and can be found from any thread by the window handle.
CDialog* CDialog::FromHandle(HWND hWnd) {
    return static_cast<CDialog*>(::GetPropW(hWnd, kObjectProperty));
}

void CDialog::Bind(HWND hWnd, CDialog* dialog) {
    dialog->m_hWnd = hWnd;
    ::SetPropW(hWnd, kObjectProperty, dialog);
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_INITDIALOG)
        Bind(hWnd, reinterpret_cast<CDialog*>(lParam));
    CDialog* dialog = FromHandle(hWnd);
    return dialog ? dialog->Dispatch(msg, wParam, lParam) : FALSE;
}

INT_PTR CDialog::Dispatch(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCDESTROY) {
        ::RemovePropW(m_hWnd, kObjectProperty);
        m_hWnd = nullptr;
        return FALSE;
    }
    INT_PTR handled = FALSE;
    if (RunBehindBarrier(L"a dialog", [&] { handled = DispatchToHandlers(msg, wParam, lParam); }))
        return handled;
    LRESULT result = 0;
    if (msg == WM_NOTIFY && OnNotifyFailed(*reinterpret_cast<const NMHDR*>(lParam), result))
        return ReturnResult(msg, result);
    return FALSE;
}

INT_PTR CDialog::DispatchToHandlers(UINT msg, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    switch (msg) {
    case WM_INITDIALOG:
        return OnInitDialog();
    case WM_COMMAND:
        return OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
    case WM_NOTIFY:
        return OnNotify(reinterpret_cast<NMHDR*>(lParam), result) ? ReturnResult(msg, result)
                                                                  : FALSE;
    case WM_TIMER:
        OnTimer(wParam);
        return TRUE;
    default:
        return OnMessage(msg, wParam, lParam, result) ? ReturnResult(msg, result) : FALSE;
    }
}

// Most messages hand their result back through DWLP_MSGRESULT; a few return it directly.
INT_PTR CDialog::ReturnResult(UINT msg, LRESULT result) {
    switch (msg) {
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_QUERYDRAGICON:
        return static_cast<INT_PTR>(result);
    default:
        ::SetWindowLongPtrW(m_hWnd, DWLP_MSGRESULT, result);
        return TRUE;
    }
}
