#pragma once

#include <windows.h>

#include <commctrl.h>

// Real clicks of the left mouse button through the system's input queue. A posted button
// message does reach a control, but GetMessagePos then tells where the cursor really is, so a
// page that hit-tests that position misses a posted click; these move the cursor first.

// Clicks at a point of the screen. Throws std::runtime_error when the input is refused.
void ClickAt(POINT screen);

// Brings the control's top-level window to the front and clicks the item's check box; true
// when the box changed within the time. Throws when another window covers the box.
bool ClickListItemCheckBox(HWND list, int item, DWORD timeoutMs = 5000);
bool ClickTreeItemCheckBox(HWND tree, HTREEITEM item, DWORD timeoutMs = 5000);

// A press of the key (a virtual-key code such as VK_SPACE) through the same queue, for the window
// that has the keyboard focus. Throws std::runtime_error when the input is refused.
void PressKey(WORD key);
