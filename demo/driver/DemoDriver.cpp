// Drives the demo's wizard one step at a time, as a user would, so that demo/show-wizard can
// take a screenshot between the steps:
//
//   demo-driver apps         Next on the intro page, to the application page
//   demo-driver tick TEXT    a real click on the check box of the list item TEXT
//   demo-driver restore      back to the intro page and through its hidden button to the file
//                            restore page; returns when the page shows its inventory
//   demo-driver tick-folder PATH
//                            a real click on the check box of the folder PATH of the file
//                            restore page ("ROOT\WINDOWS")
//   demo-driver finish       Finish; returns when the installation or restore dialog shows
//   demo-driver wait-run     returns when the installation or restore dialog has gone
//   demo-driver wait-message prints the text of the message box the wizard shows, waiting as
//                            long as a run may take, and leaves it open
//   demo-driver message      prints the text of the message box the wizard shows, if any comes
//                            within a few seconds, and presses its OK
//
// The exit code is 0 when the step was done.
#include "support/MouseInput.h"
#include "support/RemoteControls.h"
#include "support/WindowDriver.h"

#include <commctrl.h>
#include <prsht.h>

#include <algorithm>
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

namespace {

const int kAppsList = 1016;
const int kInstallHeading = 1015;
const int kIntroRestoreComment = 1005;
const int kIntroJumpToRestore = 1012;
const int kRestoreTree = 1012;
const int kRestoreList = 1070;
const int kRestoreFile = 1011;
const int kRestoreProgress = 1010;
const DWORD kLongestRun = 180000;

// The wizard's sheet answers the sheet's own messages; the installation dialog holds its heading
// as a control of its own, the restore dialog its progress bar and file name. The sheet's caption
// changes with its pages, so none is looked for by its title alone.
bool IsWanted(HWND window, bool run) {
    if (run)
        return ::GetDlgItem(window, kInstallHeading) != nullptr ||
               (::GetDlgItem(window, kRestoreProgress) && ::GetDlgItem(window, kRestoreFile));
    return ::SendMessageW(window, PSM_GETCURRENTPAGEHWND, 0, 0) != 0;
}

HWND FindDialog(bool run, DWORD timeoutMs) {
    struct Search {
        bool run;
        HWND found;
    } search = {run, nullptr};
    WaitUntil(
        [&] {
            ::EnumWindows(
                [](HWND window, LPARAM data) -> BOOL {
                    auto* wanted = reinterpret_cast<Search*>(data);
                    wchar_t className[16] = {};
                    ::GetClassNameW(window, className, 16);
                    if (std::wstring(className) == L"#32770" && ::IsWindowVisible(window) &&
                        IsWanted(window, wanted->run))
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

HWND CurrentPageItem(HWND sheet, int id) {
    return ::GetDlgItem(CurrentPage(sheet), id);
}

// The intro page's hidden button leads to the file restore page, which takes stock of the
// recovery source behind a wait dialog before the sheet shows it.
bool GoToFileRestore(HWND sheet) {
    if (!CurrentPageItem(sheet, kIntroRestoreComment)) {
        ::PostMessageW(sheet, PSM_PRESSBUTTON, PSBTN_BACK, 0);
        if (!WaitUntil([&] { return CurrentPageItem(sheet, kIntroRestoreComment) != nullptr; }))
            return false;
    }
    HWND intro = CurrentPage(sheet);
    ::PostMessageW(intro, WM_COMMAND, MAKEWPARAM(kIntroJumpToRestore, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(intro, kIntroJumpToRestore)));
    return WaitUntil([&] { return CurrentPageItem(sheet, kRestoreList) != nullptr; }, kLongestRun);
}

// PATH: the folders' names from the root down, separated by backslashes.
bool TickFolder(HWND sheet, const std::wstring& path) {
    std::vector<std::wstring> names;
    for (size_t start = 0; start <= path.size();) {
        const size_t end = std::min(path.find(L'\\', start), path.size());
        names.push_back(path.substr(start, end - start));
        start = end + 1;
    }
    HWND tree = CurrentPageItem(sheet, kRestoreTree);
    const HTREEITEM item = tree ? FindTreeItem(tree, names) : nullptr;
    if (!item)
        return false;
    // The page marks a folder's files on a click on its check box; the box alone marks nothing.
    try {
        if (ClickTreeItemCheckBox(tree, item))
            return true;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "demo-driver: no click: %s\n", e.what());
    }
    // Without the input focus a click may land elsewhere; the space bar ticks the selected folder
    // as well.
    ::SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
    ::PostMessageW(tree, WM_KEYDOWN, VK_SPACE, 0);
    return WaitUntil([&] { return IsTreeItemChecked(tree, item); }, 5000);
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
    if (step == L"restore")
        return GoToFileRestore(sheet);
    if (step == L"tick-folder")
        return TickFolder(sheet, argument);
    if (step == L"finish") {
        ::PostMessageW(sheet, PSM_PRESSBUTTON, PSBTN_FINISH, 0);
        return FindDialog(true, 20000) != nullptr;
    }
    if (step == L"wait-run") {
        HWND run = FindDialog(true, 1000);
        return !run || WaitForWindowGone(run, kLongestRun);
    }
    if (step == L"message" || step == L"wait-message") {
        const bool wait = step == L"wait-message";
        DWORD processId = 0;
        ::GetWindowThreadProcessId(sheet, &processId);
        const MessageBoxSeen box = WaitForMessageBox(processId, nullptr, wait ? kLongestRun : 5000);
        if (box.window) {
            std::wprintf(L"%ls\n", box.text.c_str());
            if (!wait)
                PressButton(box.window, IDOK);
        }
        return box.window || !wait;
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
