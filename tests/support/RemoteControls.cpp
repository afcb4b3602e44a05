#include "support/RemoteControls.h"

#include "support/RemoteBuffer.h"

#include <cwchar>
#include <optional>
#include <stdexcept>

namespace {

// State image 1 is the empty box, 2 the ticked one.
constexpr UINT Unchecked = INDEXTOSTATEIMAGEMASK(1);
constexpr UINT Checked = INDEXTOSTATEIMAGEMASK(2);

// A message to a control that may belong to another process, which may hang: a test then
// fails instead of waiting for ever.
LRESULT Send(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    if (!::SendMessageTimeoutW(control, message, wParam, lParam, SMTO_ABORTIFHUNG, 5000, &result))
        throw std::runtime_error("the control is gone or does not answer");
    return static_cast<LRESULT>(result);
}

// Sends a get-text message whose request (an LVITEMW or TVITEMW) lies in a remote buffer
// followed by the characters, and reads the text up to its end; the buffer grows until the
// text fits. A request the control refuses leaves the text empty.
template <class Item>
std::wstring ReadItemText(HWND control, UINT message, WPARAM wParam, Item request) {
    for (std::size_t chars = 256;; chars *= 2) {
        RemoteBuffer buffer(control, sizeof(Item) + chars * sizeof(wchar_t));
        request.pszText = reinterpret_cast<LPWSTR>(buffer.Address(sizeof(Item)));
        request.cchTextMax = static_cast<int>(chars);
        buffer.Put(request);
        buffer.Put(L'\0', sizeof(Item));
        Send(control, message, wParam, buffer.Address());
        std::wstring text(chars, L'\0');
        buffer.Read(text.data(), chars * sizeof(wchar_t), sizeof(Item));
        text.resize(::wcsnlen(text.c_str(), chars));
        if (text.size() + 1 < chars)
            return text;
    }
}

template <class Info> Info HitTest(HWND control, UINT message, RemoteBuffer& buffer, POINT point) {
    Info hit = {};
    hit.pt = point;
    buffer.Put(hit);
    Send(control, message, 0, buffer.Address());
    return buffer.Get<Info>();
}

LVHITTESTINFO ListHitTest(HWND list, RemoteBuffer& buffer, POINT point) {
    return HitTest<LVHITTESTINFO>(list, LVM_HITTEST, buffer, point);
}

TVHITTESTINFO TreeHitTest(HWND tree, RemoteBuffer& buffer, POINT point) {
    return HitTest<TVHITTESTINFO>(tree, TVM_HITTEST, buffer, point);
}

// The check box lies left of the label. Walks the row's middle line up to the label and takes
// the middle of the points that the control's own hit test (`isCheckBox`) counts as the box,
// whatever the indentation, icons and sizes.
template <class IsCheckBox>
POINT CheckBoxMiddle(HWND control, const RECT& row, LONG labelLeft, IsCheckBox isCheckBox) {
    const LONG y = (row.top + row.bottom) / 2;
    std::optional<LONG> first;
    LONG last = 0;
    for (LONG x = row.left; x < labelLeft; ++x) {
        if (isCheckBox(POINT{x, y})) {
            first = first.value_or(x);
            last = x;
        }
    }
    if (!first)
        throw std::runtime_error("the item shows no check box");
    POINT point = {(*first + last) / 2, y};
    ::ClientToScreen(control, &point);
    return point;
}

} // namespace

int ListItemCount(HWND list) {
    return static_cast<int>(Send(list, LVM_GETITEMCOUNT, 0, 0));
}

std::wstring ListItemText(HWND list, int item, int subItem) {
    LVITEMW request = {};
    request.iSubItem = subItem;
    return ReadItemText(list, LVM_GETITEMTEXTW, item, request);
}

int FindListItem(HWND list, const std::wstring& text) {
    const int count = ListItemCount(list);
    for (int item = 0; item < count; ++item) {
        if (ListItemText(list, item) == text)
            return item;
    }
    return -1;
}

bool IsListItemChecked(HWND list, int item) {
    return (Send(list, LVM_GETITEMSTATE, item, LVIS_STATEIMAGEMASK) & LVIS_STATEIMAGEMASK) ==
           Checked;
}

void SetListItemChecked(HWND list, int item, bool checked) {
    LVITEMW change = {};
    change.stateMask = LVIS_STATEIMAGEMASK;
    change.state = checked ? Checked : Unchecked;
    RemoteBuffer buffer(list, sizeof(change));
    buffer.Put(change);
    if (!Send(list, LVM_SETITEMSTATE, item, buffer.Address()))
        throw std::runtime_error("the list refused the check state");
}

RECT ListItemRect(HWND list, int item, int part) {
    RECT rect = {};
    rect.left = part;
    RemoteBuffer buffer(list, sizeof(rect));
    buffer.Put(rect);
    return Send(list, LVM_GETITEMRECT, item, buffer.Address()) ? buffer.Get<RECT>() : RECT{};
}

LVHITTESTINFO ListHitTest(HWND list, POINT point) {
    RemoteBuffer buffer(list, sizeof(LVHITTESTINFO));
    return ListHitTest(list, buffer, point);
}

POINT ListCheckBoxPoint(HWND list, int item) {
    Send(list, LVM_ENSUREVISIBLE, item, FALSE);
    RemoteBuffer buffer(list, sizeof(LVHITTESTINFO));
    return CheckBoxMiddle(list, ListItemRect(list, item), ListItemRect(list, item, LVIR_LABEL).left,
                          [&](POINT point) {
                              LVHITTESTINFO hit = ListHitTest(list, buffer, point);
                              return hit.iItem == item && (hit.flags & LVHT_ONITEMSTATEICON);
                          });
}

HTREEITEM TreeRoot(HWND tree) {
    return reinterpret_cast<HTREEITEM>(Send(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
}

HTREEITEM TreeChild(HWND tree, HTREEITEM item) {
    return reinterpret_cast<HTREEITEM>(
        Send(tree, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(item)));
}

HTREEITEM TreeNext(HWND tree, HTREEITEM item) {
    return reinterpret_cast<HTREEITEM>(
        Send(tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(item)));
}

std::wstring TreeItemText(HWND tree, HTREEITEM item) {
    TVITEMW request = {};
    request.mask = TVIF_HANDLE | TVIF_TEXT;
    request.hItem = item;
    return ReadItemText(tree, TVM_GETITEMW, 0, request);
}

HTREEITEM FindTreeItem(HWND tree, const std::vector<std::wstring>& path) {
    HTREEITEM found = nullptr;
    for (const std::wstring& text : path) {
        HTREEITEM item = found ? TreeChild(tree, found) : TreeRoot(tree);
        while (item && TreeItemText(tree, item) != text)
            item = TreeNext(tree, item);
        if (!item)
            return nullptr;
        found = item;
    }
    return found;
}

bool IsTreeItemChecked(HWND tree, HTREEITEM item) {
    return (Send(tree, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(item), TVIS_STATEIMAGEMASK) &
            TVIS_STATEIMAGEMASK) == Checked;
}

void SetTreeItemChecked(HWND tree, HTREEITEM item, bool checked) {
    TVITEMW change = {};
    change.mask = TVIF_HANDLE | TVIF_STATE;
    change.hItem = item;
    change.stateMask = TVIS_STATEIMAGEMASK;
    change.state = checked ? Checked : Unchecked;
    RemoteBuffer buffer(tree, sizeof(change));
    buffer.Put(change);
    if (!Send(tree, TVM_SETITEMW, 0, buffer.Address()))
        throw std::runtime_error("the tree refused the check state");
}

RECT TreeItemRect(HWND tree, HTREEITEM item, bool textOnly) {
    // The request names the item in the rectangle's first bytes.
    RemoteBuffer buffer(tree, sizeof(RECT));
    buffer.Put(RECT{});
    buffer.Put(item);
    return Send(tree, TVM_GETITEMRECT, textOnly, buffer.Address()) ? buffer.Get<RECT>() : RECT{};
}

TVHITTESTINFO TreeHitTest(HWND tree, POINT point) {
    RemoteBuffer buffer(tree, sizeof(TVHITTESTINFO));
    return TreeHitTest(tree, buffer, point);
}

POINT TreeCheckBoxPoint(HWND tree, HTREEITEM item) {
    Send(tree, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(item));
    RemoteBuffer buffer(tree, sizeof(TVHITTESTINFO));
    return CheckBoxMiddle(tree, TreeItemRect(tree, item), TreeItemRect(tree, item, true).left,
                          [&](POINT point) {
                              TVHITTESTINFO hit = TreeHitTest(tree, buffer, point);
                              return hit.hItem == item && (hit.flags & TVHT_ONITEMSTATEICON);
                          });
}
