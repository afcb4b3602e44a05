#pragma once

#include "framework/CheckBoxes.h"
#include "framework/FillingGuard.h"
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
    // Sets the extended styles of `mask` (0: all) as in `styles`, for example LVS_EX_CHECKBOXES
    // or LVS_EX_FULLROWSELECT; returns the styles before.
    DWORD SetExtendedStyle(DWORD mask, DWORD styles) const {
        return static_cast<DWORD>(SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, mask, styles));
    }
    DWORD GetExtendedStyle() const {
        return static_cast<DWORD>(SendMessage(LVM_GETEXTENDEDLISTVIEWSTYLE));
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
    // The same with the item's own value (its lParam).
    int InsertItem(int index, const std::wstring& text, int image, LPARAM data) const {
        LVITEMW item = {};
        item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
        item.iItem = index;
        item.pszText = const_cast<wchar_t*>(text.c_str());
        item.iImage = image;
        item.lParam = data;
        return static_cast<int>(SendMessage(LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
    }
    bool DeleteAllItems() const { return SendMessage(LVM_DELETEALLITEMS) != FALSE; }
    int GetItemCount() const { return static_cast<int>(SendMessage(LVM_GETITEMCOUNT)); }

    // The whole text of an item (`subItem` 0) or of one of its sub-items, however long.
    std::wstring GetItemText(int index, int subItem = 0) const;
    bool SetItemText(int index, int subItem, const std::wstring& text) const {
        LVITEMW data = {};
        data.iSubItem = subItem;
        data.pszText = const_cast<wchar_t*>(text.c_str());
        return SendMessage(LVM_SETITEMTEXTW, index, reinterpret_cast<LPARAM>(&data)) != FALSE;
    }
    // The item's own value (its lParam).
    LPARAM GetItemData(int index) const {
        LVITEMW data = {};
        data.mask = LVIF_PARAM;
        data.iItem = index;
        return SendMessage(LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&data)) ? data.lParam : 0;
    }
    bool SetItemData(int index, LPARAM value) const {
        LVITEMW data = {};
        data.mask = LVIF_PARAM;
        data.iItem = index;
        data.lParam = value;
        return SendMessage(LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&data)) != FALSE;
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
    UINT GetItemState(int index, UINT mask) const {
        return static_cast<UINT>(SendMessage(LVM_GETITEMSTATE, index, mask));
    }
    bool SetItemState(int index, UINT state, UINT mask) const {
        LVITEMW data = {};
        data.state = state;
        data.stateMask = mask;
        return SendMessage(LVM_SETITEMSTATE, index, reinterpret_cast<LPARAM>(&data)) != FALSE;
    }
    // The item's check box (LVS_EX_CHECKBOXES).
    bool GetCheck(int index) const {
        return IsCheckBoxTicked(GetItemState(index, LVIS_STATEIMAGEMASK));
    }
    bool SetCheck(int index, bool checked) const {
        return SetItemState(index, CheckBoxState(checked), LVIS_STATEIMAGEMASK);
    }
    // The item at a point of the client area, or -1; `flags` tells where on the item the point
    // lies (LVHT_ONITEMSTATEICON: on its check box).
    int HitTest(POINT point, UINT* flags = nullptr) const {
        LVHITTESTINFO test = {};
        test.pt = point;
        const int index =
            static_cast<int>(SendMessage(LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&test)));
        if (flags)
            *flags = test.flags;
        return index;
    }
    bool EnsureVisible(int index) const { return SendMessage(LVM_ENSUREVISIBLE, index) != FALSE; }
    int GetItemImage(int index) const {
        LVITEMW data = {};
        data.mask = LVIF_IMAGE;
        data.iItem = index;
        SendMessage(LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&data));
        return data.iImage;
    }
    // True while the program fills the list (CFillingGuard).
    bool IsFilling() const { return IsControlFilling(m_hWnd); }
};
