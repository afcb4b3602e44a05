#pragma once

#include "framework/CheckBoxes.h"
#include "framework/FillingGuard.h"
#include "framework/Wnd.h"

#include <commctrl.h>

#include <string>

// A tree-view control; like CWnd it never owns its window.
class CTreeCtrl : public CWnd {
public:
    using CWnd::CWnd;

    void SetImageList(HIMAGELIST images, int which) const {
        SendMessage(TVM_SETIMAGELIST, which, reinterpret_cast<LPARAM>(images));
    }
    // `after` is an item, TVI_FIRST, TVI_LAST or TVI_SORT.
    HTREEITEM InsertItem(const std::wstring& text, int image, int selectedImage,
                         HTREEITEM parent = TVI_ROOT, HTREEITEM after = TVI_LAST) const {
        TVINSERTSTRUCTW insert = {};
        insert.hParent = parent;
        insert.hInsertAfter = after;
        insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
        insert.item.pszText = const_cast<wchar_t*>(text.c_str());
        insert.item.iImage = image;
        insert.item.iSelectedImage = selectedImage;
        return reinterpret_cast<HTREEITEM>(
            SendMessage(TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
    }
    bool DeleteItem(HTREEITEM item) const {
        return SendMessage(TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(item)) != FALSE;
    }
    bool DeleteAllItems() const { return DeleteItem(TVI_ROOT); }

    HTREEITEM GetNextItem(HTREEITEM item, UINT code) const {
        return reinterpret_cast<HTREEITEM>(
            SendMessage(TVM_GETNEXTITEM, code, reinterpret_cast<LPARAM>(item)));
    }
    HTREEITEM GetRootItem() const { return GetNextItem(nullptr, TVGN_ROOT); }
    HTREEITEM GetChildItem(HTREEITEM item) const { return GetNextItem(item, TVGN_CHILD); }
    HTREEITEM GetNextSiblingItem(HTREEITEM item) const { return GetNextItem(item, TVGN_NEXT); }
    HTREEITEM GetParentItem(HTREEITEM item) const { return GetNextItem(item, TVGN_PARENT); }
    HTREEITEM GetSelectedItem() const { return GetNextItem(nullptr, TVGN_CARET); }

    // The item's whole text, however long.
    std::wstring GetItemText(HTREEITEM item) const;
    // The item's own value (its lParam).
    LPARAM GetItemData(HTREEITEM item) const {
        TVITEMW data = {};
        data.mask = TVIF_PARAM;
        data.hItem = item;
        return SendMessage(TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&data)) ? data.lParam : 0;
    }
    bool SetItemData(HTREEITEM item, LPARAM value) const {
        TVITEMW data = {};
        data.mask = TVIF_PARAM;
        data.hItem = item;
        data.lParam = value;
        return SendMessage(TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&data)) != FALSE;
    }
    UINT GetItemState(HTREEITEM item, UINT mask) const {
        return static_cast<UINT>(
            SendMessage(TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(item), mask));
    }
    bool SetItemState(HTREEITEM item, UINT state, UINT mask) const {
        TVITEMW data = {};
        data.mask = TVIF_STATE;
        data.hItem = item;
        data.state = state;
        data.stateMask = mask;
        return SendMessage(TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&data)) != FALSE;
    }
    // Switches the check boxes on. A tree whose template asks for them may still show its
    // boxes unticked whatever the program sets before it is shown; setting the style after
    // creation, before the tree is filled, avoids that.
    void EnableCheckBoxes() const;
    // The item's check box.
    bool GetCheck(HTREEITEM item) const {
        return IsCheckBoxTicked(GetItemState(item, TVIS_STATEIMAGEMASK));
    }
    bool SetCheck(HTREEITEM item, bool checked) const {
        return SetItemState(item, CheckBoxState(checked), TVIS_STATEIMAGEMASK);
    }
    // The item at a point of the client area, or nullptr; `flags` tells where on the item the
    // point lies (TVHT_ONITEMSTATEICON: on its check box).
    HTREEITEM HitTest(POINT point, UINT* flags = nullptr) const {
        TVHITTESTINFO test = {};
        test.pt = point;
        const auto item = reinterpret_cast<HTREEITEM>(
            SendMessage(TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&test)));
        if (flags)
            *flags = test.flags;
        return item;
    }
    bool SelectItem(HTREEITEM item) const {
        return SendMessage(TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item)) != FALSE;
    }
    // `code` is TVE_EXPAND, TVE_COLLAPSE or TVE_TOGGLE.
    bool Expand(HTREEITEM item, UINT code) const {
        return SendMessage(TVM_EXPAND, code, reinterpret_cast<LPARAM>(item)) != FALSE;
    }
    // True while the program fills the tree (CFillingGuard).
    bool IsFilling() const { return IsControlFilling(m_hWnd); }
};
