#include "framework/TreeCtrl.h"

#include <cwchar>

std::wstring CTreeCtrl::GetItemText(HTREEITEM item) const {
    // The control copies at most the buffer less one character without telling the length: a
    // full buffer may mean a longer text.
    std::wstring text;
    for (int size = MAX_PATH + 1;; size *= 2) {
        text.assign(size, L'\0');
        TVITEMW data = {};
        data.mask = TVIF_TEXT;
        data.hItem = item;
        data.pszText = text.data();
        data.cchTextMax = size;
        if (!SendMessage(TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&data)))
            return {};
        const std::size_t length = std::wcslen(data.pszText);
        if (length < static_cast<std::size_t>(size - 1))
            return std::wstring(data.pszText, length);
    }
}

void CTreeCtrl::EnableCheckBoxes() const {
    // The tree makes its check-box images when the style changes to include them.
    const LONG_PTR style = ::GetWindowLongPtrW(m_hWnd, GWL_STYLE) & ~LONG_PTR(TVS_CHECKBOXES);
    ::SetWindowLongPtrW(m_hWnd, GWL_STYLE, style);
    ::SetWindowLongPtrW(m_hWnd, GWL_STYLE, style | TVS_CHECKBOXES);
}
