#pragma once

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

    std::wstring GetItemText(HTREEITEM item) const {
        wchar_t text[MAX_PATH + 1] = {};
        TVITEMW data = {};
        data.mask = TVIF_TEXT;
        data.hItem = item;
        data.pszText = text;
        data.cchTextMax = MAX_PATH + 1;
        SendMessage(TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&data));
        return text;
    }
    bool SelectItem(HTREEITEM item) const {
        return SendMessage(TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item)) != FALSE;
    }
    // `code` is TVE_EXPAND, TVE_COLLAPSE or TVE_TOGGLE.
    bool Expand(HTREEITEM item, UINT code) const {
        return SendMessage(TVM_EXPAND, code, reinterpret_cast<LPARAM>(item)) != FALSE;
    }
};
