#include "support/MouseInput.h"

#include "support/RemoteControls.h"
#include "support/WindowDriver.h"

#include <stdexcept>

namespace {

// Clicks the check box at `point` of `control` once it is in front, and waits for
// `isChecked` to change.
template <class IsChecked>
bool ClickCheckBox(HWND control, POINT point, IsChecked isChecked, DWORD timeoutMs) {
    // A refused request leaves the window where it is, which the check below then reports.
    ::SetForegroundWindow(::GetAncestor(control, GA_ROOT));
    if (::WindowFromPoint(point) != control)
        throw std::runtime_error("another window covers the check box");
    const bool before = isChecked();
    ClickAt(point);
    return WaitUntil([&] { return isChecked() != before; }, timeoutMs);
}

} // namespace

void ClickAt(POINT screen) {
    if (!::SetCursorPos(screen.x, screen.y))
        throw std::runtime_error("cannot move the cursor");
    INPUT clicks[2] = {};
    clicks[0].type = clicks[1].type = INPUT_MOUSE;
    clicks[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    clicks[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    if (::SendInput(2, clicks, sizeof(INPUT)) != 2)
        throw std::runtime_error("the click was refused");
}

void PressKey(WORD key) {
    INPUT presses[2] = {};
    presses[0].type = presses[1].type = INPUT_KEYBOARD;
    presses[0].ki.wVk = presses[1].ki.wVk = key;
    presses[1].ki.dwFlags = KEYEVENTF_KEYUP;
    if (::SendInput(2, presses, sizeof(INPUT)) != 2)
        throw std::runtime_error("the key press was refused");
}

bool ClickListItemCheckBox(HWND list, int item, DWORD timeoutMs) {
    return ClickCheckBox(
        list, ListCheckBoxPoint(list, item), [&] { return IsListItemChecked(list, item); },
        timeoutMs);
}

bool ClickTreeItemCheckBox(HWND tree, HTREEITEM item, DWORD timeoutMs) {
    return ClickCheckBox(
        tree, TreeCheckBoxPoint(tree, item), [&] { return IsTreeItemChecked(tree, item); },
        timeoutMs);
}
