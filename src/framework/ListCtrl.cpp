#include "framework/ListCtrl.h"

std::wstring CListCtrl::GetItemText(int index, int subItem) const {
    // The control copies at most the buffer less one character and tells how many it copied:
    // a full buffer may mean a longer text.
    std::wstring text;
    for (int size = MAX_PATH + 1;; size *= 2) {
        text.assign(size, L'\0');
        LVITEMW data = {};
        data.iSubItem = subItem;
        data.pszText = text.data();
        data.cchTextMax = size;
        const int length =
            static_cast<int>(SendMessage(LVM_GETITEMTEXTW, index, reinterpret_cast<LPARAM>(&data)));
        if (length < size - 1) {
            text.resize(length);
            return text;
        }
    }
}
