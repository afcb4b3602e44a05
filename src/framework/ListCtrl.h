#pragma once

#include "framework/Wnd.h"

#include <commctrl.h>

#include <string>

// A list-view control; like CWnd it never owns its window.
class CListCtrl : public CWnd {
public:
    using CWnd::CWnd;

    void SetImageList(HIMAGELIST images, int which) const {
        SendMessage(LVM_SETIMAGELIST, which, reinterpret_cast<LPARAM>(images));
    }
    int InsertColumn(int column, const std::wstring& heading, int width) const {
        LVCOLUMNW data = {};
        data.mask = LVCF_TEXT | LVCF_WIDTH;
        data.pszText = const_cast<wchar_t*>(heading.c_str());
        data.cx = width;
        return static_cast<int>(
            SendMessage(LVM_INSERTCOLUMNW, column, reinterpret_cast<LPARAM>(&data)));
    }
    // Returns the index the item got (a sorted list decides it), or -1.
    int InsertItem(int index, const std::wstring& text, int image) const {
        LVITEMW data = {};
        data.mask = LVIF_TEXT | LVIF_IMAGE;
        data.iItem = index;
        data.pszText = const_cast<wchar_t*>(text.c_str());
        data.iImage = image;
        return static_cast<int>(SendMessage(LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&data)));
    }
    bool DeleteAllItems() const { return SendMessage(LVM_DELETEALLITEMS) != FALSE; }
    int GetItemCount() const { return static_cast<int>(SendMessage(LVM_GETITEMCOUNT)); }

    std::wstring GetItemText(int index) const {
        wchar_t text[MAX_PATH + 1] = {};
        LVITEMW data = {};
        data.pszText = text;
        data.cchTextMax = MAX_PATH + 1;
        SendMessage(LVM_GETITEMTEXTW, index, reinterpret_cast<LPARAM>(&data));
        return text;
    }
    // The index of the item whose text is exactly `text`, or -1.
    int FindItem(const std::wstring& text) const {
        LVFINDINFOW find = {};
        find.flags = LVFI_STRING;
        find.psz = text.c_str();
        return static_cast<int>(SendMessage(LVM_FINDITEMW, -1, reinterpret_cast<LPARAM>(&find)));
    }
    // The first item after `start` (-1: from the top) with the state flags, such as LVNI_SELECTED.
    int GetNextItem(int start, UINT flags) const {
        return static_cast<int>(SendMessage(LVM_GETNEXTITEM, start, flags));
    }
    bool SetItemState(int index, UINT state, UINT mask) const {
        LVITEMW data = {};
        data.state = state;
        data.stateMask = mask;
        return SendMessage(LVM_SETITEMSTATE, index, reinterpret_cast<LPARAM>(&data)) != FALSE;
    }
    bool EnsureVisible(int index) const { return SendMessage(LVM_ENSUREVISIBLE, index) != FALSE; }
    int GetItemImage(int index) const {
        LVITEMW data = {};
        data.mask = LVIF_IMAGE;
        data.iItem = index;
        SendMessage(LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&data));
        return data.iImage;
    }
};
