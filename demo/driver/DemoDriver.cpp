// Drives the demo's wizard one step at a time, as a user would, so that demo/show-wizard can
// take a screenshot between the steps:
//
//   demo-driver TITLE apps        Next on the intro page, to the application page
//   demo-driver TITLE tick TEXT   a real click on the check box of the list item TEXT
//   demo-driver TITLE finish      Finish; returns when the installation dialog shows
//   demo-driver TITLE wait-run    returns when the installation dialog has gone
//   demo-driver TITLE message     prints the text of the message box the wizard shows, if any
//                                 comes within a few seconds, and presses its OK
//
// TITLE is the wizard's title ([General] Title). The exit code is 0 when the step was done.
#include "support/MouseInput.h"
#include "support/RemoteControls.h"
#include "support/WindowDriver.h"

#include <commctrl.h>
#include <prsht.h>

#include <cstdio>
#include <exception>
#include <string>

namespace {

const int kAppsList = 1016;
const int kInstallHeading = 1015;

// The wizard's sheet and the installation dialog carry the same title; only the dialog holds
// the heading as its own control.
HWND FindDialog(const std::wstring& title, bool installation, DWORD timeoutMs) {
    HWND found = nullptr;
    WaitUntil(
        [&] {
            for (HWND window : FindWindows(L"#32770", title)) {
                if ((::GetDlgItem(window, kInstallHeading) != nullptr) == installation)
                    found = window;
            }
            return found != nullptr;
        },
        timeoutMs);
    return found;
}

HWND CurrentPage(HWND sheet) {
    return reinterpret_cast<HWND>(::SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
}

bool Step(const std::wstring& title, const std::wstring& step, const std::wstring& argument) {
    HWND sheet = FindDialog(title, false, 20000);
    if (!sheet)
        return false;
    if (step == L"apps") {
        ::SendMessageW(sheet, PSM_PRESSBUTTON, PSBTN_NEXT, 0);
        return WaitUntil([&] { return ::GetDlgItem(CurrentPage(sheet), kAppsList) != nullptr; });
    }
    if (step == L"tick") {
        HWND list = ::GetDlgItem(CurrentPage(sheet), kAppsList);
        const int item = FindListItem(list, argument);
        if (item < 0)
            return false;
        try {
            if (ClickListItemCheckBox(list, item))
                return true;
        } catch (const std::exception& e) {
            std::fprintf(stderr, "demo-driver: no click: %s\n", e.what());
        }
        // Without the input focus a click may land elsewhere; tick the box as the space bar
        // would.
        SetListItemChecked(list, item, true);
        return IsListItemChecked(list, item);
    }
    if (step == L"finish") {
        ::PostMessageW(sheet, PSM_PRESSBUTTON, PSBTN_FINISH, 0);
        return FindDialog(title, true, 20000) != nullptr;
    }
    if (step == L"wait-run") {
        HWND run = FindDialog(title, true, 1000);
        return !run || WaitForWindowGone(run, 180000);
    }
    if (step == L"message") {
        DWORD processId = 0;
        ::GetWindowThreadProcessId(sheet, &processId);
        const MessageBoxSeen box = WaitForMessageBox(processId, nullptr, 5000);
        if (box.window) {
            std::wprintf(L"%ls\n", box.text.c_str());
            PressButton(box.window, IDOK);
        }
        return true;
    }
    return false;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        std::fwprintf(stderr, L"usage: demo-driver TITLE STEP [ARGUMENT]\n");
        return 2;
    }
    try {
        return Step(argv[1], argv[2], argc > 3 ? argv[3] : L"") ? 0 : 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "demo-driver: %s\n", e.what());
        return 1;
    }
}
