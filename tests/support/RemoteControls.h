#pragma once

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

// Reads and ticks the items of check-box list views and tree views, also of another process,
// as a test sees the program's pages. Coordinates are the control's client coordinates.
// A control that is gone or does not answer throws std::runtime_error.

int ListItemCount(HWND list);
// The text of an item's column (0: the item's own), whole however long; empty when there is no
// such item.
std::wstring ListItemText(HWND list, int item, int subItem = 0);
// The first item whose own text is `text`, or -1.
int FindListItem(HWND list, const std::wstring& text);
bool IsListItemChecked(HWND list, int item);
// Sets the check box as the program itself would, without a click.
void SetListItemChecked(HWND list, int item, bool checked);
// A part of the item's row: LVIR_BOUNDS, LVIR_ICON, LVIR_LABEL or LVIR_SELECTBOUNDS.
RECT ListItemRect(HWND list, int item, int part = LVIR_BOUNDS);
LVHITTESTINFO ListHitTest(HWND list, POINT point);
// The middle of the item's check box, in screen coordinates, as the list's own hit test finds
// it; the item is scrolled into view first.
POINT ListCheckBoxPoint(HWND list, int item);

// Navigation returns nullptr where there is no such item.
HTREEITEM TreeRoot(HWND tree);
HTREEITEM TreeChild(HWND tree, HTREEITEM item);
HTREEITEM TreeNext(HWND tree, HTREEITEM item);
std::wstring TreeItemText(HWND tree, HTREEITEM item);
// The item reached by the texts from the root down, or nullptr.
HTREEITEM FindTreeItem(HWND tree, const std::vector<std::wstring>& path);
bool IsTreeItemChecked(HWND tree, HTREEITEM item);
void SetTreeItemChecked(HWND tree, HTREEITEM item, bool checked);
// The item's row, or with `textOnly` its label; empty when the item is not visible.
RECT TreeItemRect(HWND tree, HTREEITEM item, bool textOnly = false);
TVHITTESTINFO TreeHitTest(HWND tree, POINT point);
// The middle of the item's check box, in screen coordinates, as the tree's own hit test finds
// it; the item is scrolled into view first.
POINT TreeCheckBoxPoint(HWND tree, HTREEITEM item);
