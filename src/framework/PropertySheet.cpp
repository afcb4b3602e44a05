#include "framework/PropertySheet.h"

#include "framework/ExceptionBarrier.h"

// ---- CPropertyPageEx ----

void CPropertyPageEx::SetHeader(const std::wstring& title, const std::wstring& subtitle) {
    m_strHeaderTitle = title;
    m_strHeaderSubtitle = subtitle;
}

HPROPSHEETPAGE CPropertyPageEx::CreatePage() {
    PROPSHEETPAGEW page = {};
    page.dwSize = sizeof(page);
    page.dwFlags = PSP_DEFAULT | m_dwExtraFlags;
    if (!m_strHeaderTitle.empty()) {
        page.dwFlags |= PSP_USEHEADERTITLE;
        page.pszHeaderTitle = m_strHeaderTitle.c_str();
    }
    if (!m_strHeaderSubtitle.empty()) {
        page.dwFlags |= PSP_USEHEADERSUBTITLE;
        page.pszHeaderSubTitle = m_strHeaderSubtitle.c_str();
    }
    page.hInstance = ::GetModuleHandleW(nullptr);
    page.pszTemplate = MAKEINTRESOURCEW(GetTemplateId());
    page.pfnDlgProc = PageProc;
    page.lParam = reinterpret_cast<LPARAM>(this);
    return ::CreatePropertySheetPageW(&page);
}

INT_PTR CALLBACK CPropertyPageEx::PageProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_INITDIALOG)
        Bind(hWnd, reinterpret_cast<CPropertyPageEx*>(
                       reinterpret_cast<const PROPSHEETPAGEW*>(lParam)->lParam));
    CDialog* page = FromHandle(hWnd);
    return page ? static_cast<CPropertyPageEx*>(page)->Dispatch(msg, wParam, lParam) : FALSE;
}

bool CPropertyPageEx::OnNotify(NMHDR* header, LRESULT& result) {
    switch (header->code) {
    case PSN_SETACTIVE:
        result = OnSetActive() ? 0 : -1;
        return true;
    case PSN_KILLACTIVE:
        result = OnKillActive() ? FALSE : TRUE;
        return true;
    case PSN_WIZNEXT:
        result = OnWizardNext();
        return true;
    case PSN_WIZBACK:
        result = OnWizardBack();
        return true;
    case PSN_WIZFINISH:
        result = OnWizardFinish() ? FALSE : TRUE;
        return true;
    case PSN_QUERYCANCEL:
        result = OnQueryCancel() ? FALSE : TRUE;
        return true;
    case PSN_RESET:
        OnCancel();
        return true;
    default:
        return false;
    }
}

// Half-done navigation must not take effect: the page stays, the sheet stays open.
bool CPropertyPageEx::OnNotifyFailed(const NMHDR& header, LRESULT& result) {
    switch (header.code) {
    case PSN_KILLACTIVE:
        result = TRUE;
        return true;
    case PSN_WIZNEXT:
    case PSN_WIZBACK:
        result = kStay;
        return true;
    case PSN_WIZFINISH:
        result = TRUE;
        return true;
    default:
        return false;
    }
}

// ---- CPropertySheetEx ----

namespace {
const wchar_t kSheetProperty[] = L"Melvorin.CPropertySheetEx";

// The sheet being created on this thread, and the creation hook that subclasses it.
thread_local CPropertySheetEx* t_creatingSheet = nullptr;
thread_local HHOOK t_creationHook = nullptr;

// Other windows may be created first on the thread (an input-method window, for one); the
// sheet is the first dialog.
bool IsDialogWindow(HWND hWnd) {
    wchar_t className[16];
    return ::GetClassNameW(hWnd, className, 16) && std::wstring(className) == L"#32770";
}
} // namespace

CPropertySheetEx::CPropertySheetEx(const std::wstring& caption, HBITMAP watermark, HBITMAP header)
    : m_strCaption(caption), m_hbmWatermark(watermark), m_hbmHeader(header) {}

INT_PTR CPropertySheetEx::DoModal() {
    std::vector<HPROPSHEETPAGE> pages;
    for (CPropertyPageEx* page : m_pages) {
        HPROPSHEETPAGE hPage = page->CreatePage();
        if (!hPage) {
            for (HPROPSHEETPAGE created : pages)
                ::DestroyPropertySheetPage(created);
            return -1;
        }
        pages.push_back(hPage);
    }

    PROPSHEETHEADERW sheet = {};
    sheet.dwSize = sizeof(sheet);
    sheet.dwFlags = kWizard97Flags;
    sheet.hInstance = ::GetModuleHandleW(nullptr);
    sheet.pszCaption = m_strCaption.c_str();
    sheet.nPages = static_cast<UINT>(pages.size());
    sheet.phpage = pages.data();
    sheet.hbmWatermark = m_hbmWatermark;
    sheet.hbmHeader = m_hbmHeader;

    t_creatingSheet = this;
    t_creationHook = ::SetWindowsHookExW(WH_CBT, HookProc, nullptr, ::GetCurrentThreadId());
    if (!t_creationHook) {
        t_creatingSheet = nullptr;
        return -1;
    }
    INT_PTR result = ::PropertySheetW(&sheet);
    if (t_creationHook) {
        // The sheet was never created, so the hook is still in place.
        ::UnhookWindowsHookEx(t_creationHook);
        t_creationHook = nullptr;
    }
    t_creatingSheet = nullptr;
    return result;
}

LRESULT CALLBACK CPropertySheetEx::HookProc(int code, WPARAM wParam, LPARAM lParam) {
    LRESULT next = ::CallNextHookEx(t_creationHook, code, wParam, lParam);
    HWND hWnd = reinterpret_cast<HWND>(wParam);
    if (code == HCBT_CREATEWND && t_creatingSheet && IsDialogWindow(hWnd)) {
        CPropertySheetEx* sheet = t_creatingSheet;
        t_creatingSheet = nullptr;
        ::UnhookWindowsHookEx(t_creationHook);
        t_creationHook = nullptr;
        sheet->Subclass(hWnd);
    }
    return next;
}

void CPropertySheetEx::Subclass(HWND hWnd) {
    m_hWnd = hWnd;
    ::SetPropW(hWnd, kSheetProperty, this);
    m_pfnSheetProc = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SheetProc)));
}

LRESULT CALLBACK CPropertySheetEx::SheetProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* sheet = static_cast<CPropertySheetEx*>(::GetPropW(hWnd, kSheetProperty));
    if (msg != WM_NCDESTROY)
        return sheet->Dispatch(msg, wParam, lParam);
    // The sheet's own procedure gets its window back for the last message.
    ::RemovePropW(hWnd, kSheetProperty);
    ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(sheet->m_pfnSheetProc));
    sheet->m_hWnd = nullptr;
    return ::CallWindowProcW(sheet->m_pfnSheetProc, hWnd, msg, wParam, lParam);
}

LRESULT CPropertySheetEx::Dispatch(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_INITDIALOG) {
        LRESULT focus = CallSheetProc(msg, wParam, lParam);
        RunBehindBarrier(L"the wizard sheet", [&] { OnInitDialog(); });
        return focus;
    }
    LRESULT result = 0;
    bool handled = false;
    if (RunBehindBarrier(L"the wizard sheet",
                         [&] { handled = OnMessage(msg, wParam, lParam, result); }) &&
        handled)
        return result;
    return CallSheetProc(msg, wParam, lParam);
}

LRESULT CPropertySheetEx::CallSheetProc(UINT msg, WPARAM wParam, LPARAM lParam) const {
    return ::CallWindowProcW(m_pfnSheetProc, m_hWnd, msg, wParam, lParam);
}

bool CPropertySheetEx::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    (void)msg;
    (void)wParam;
    (void)lParam;
    (void)result;
    return false;
}
