// Drives the demo's wizard one step at a time, as a user would, so that demo/show-wizard can
// take a screenshot between the steps:
//
//   demo-driver apps        Next on the intro page, to the application page
//   demo-driver tick TEXT   a real click on the check box of the list item TEXT
//   demo-driver finish      Finish; returns when the installation dialog shows
//   demo-driver wait-run    returns when the installation dialog has gone
//   demo-driver message     prints the text of the message box the wizard shows, if any comes
//                           within a few seconds, and presses its OK
//
// The exit code is 0 when the step was done.
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

// The wizard's sheet answers the sheet's own messages; the installation dialog holds its heading
// as a control of its own. The sheet's caption changes with its pages, so neither is looked for by
// its title alone.
bool IsWanted(HWND window, bool installation) {
    if (installation)
        return ::GetDlgItem(window, kInstallHeading) != nullptr;
    return ::SendMessageW(window, PSM_GETCURRENTPAGEHWND, 0, 0) != 0;
}

HWND FindDialog(bool installation, DWORD timeoutMs) {
    struct Search {
        bool installation;
        HWND found;
    } search = {installation, nullptr};
    WaitUntil(
        [&] {
            ::EnumWindows(
                [](HWND window, LPARAM data) -> BOOL {
                    auto* wanted = reinterpret_cast<Search*>(data);
                    wchar_t className[16] = {};
                    ::GetClassNameW(window, className, 16);
                    if (std::wstring(className) == L"#32770" && ::IsWindowVisible(window) &&
                        IsWanted(window, wanted->installation))
                        wanted->found = window;
                    return TRUE;
                },
                reinterpret_cast<LPARAM>(&search));
            return search.found != nullptr;
        },
        timeoutMs);
    return search.found;
}

HWND CurrentPage(HWND sheet) {
    return reinterpret_cast<HWND>(::SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
}

bool Step(const std::wstring& step, const std::wstring& argument) {
    HWND sheet = FindDialog(false, 20000);
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
        return FindDialog(true, 20000) != nullptr;
    }
    if (step == L"wait-run") {
        HWND run = FindDialog(true, 1000);
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
    if (argc < 2) {
        std::fwprintf(stderr, L"usage: demo-driver STEP [ARGUMENT]\n");
        return 2;
    }
    try {
        return Step(argv[1], argc > 2 ? argv[2] : L"") ? 0 : 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "demo-driver: %s\n", e.what());
        return 1;
    }
}
