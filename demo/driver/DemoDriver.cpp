// Drives the demo's wizard one step at a time, as a user would, so that demo/show-wizard can
// take a screenshot between the steps:
//
//   demo-driver apps         the intro page's application option and Next, to the application
//                            page (from another page, Back to the intro page first)
//   demo-driver drivers      the same with the driver option, to the driver page
//   demo-driver tick TEXT    a real click on the check box of the item TEXT of the application or
//                            driver list
//   demo-driver restore      back to the intro page and through its hidden button to the file
//                            restore page; returns when the page shows its inventory
//   demo-driver tick-folder PATH
//                            a real click on the check box of the folder PATH of the file
//                            restore page ("ROOT\WINDOWS")
//   demo-driver finish       Finish; returns when the installation or restore dialog shows, or a
//                            message box when the run was over before it could be seen
//   demo-driver wait-run     returns when the installation or restore dialog has gone
//   demo-driver message      prints the text of the message box the wizard shows, if one comes
//                            within a few seconds, and leaves it open
//   demo-driver wait-message the same, waiting as long as a run may take
//   demo-driver quit         the sheet's Cancel (Quit); returns when the wizard has gone
//   demo-driver answer ok|cancel
//                            presses OK or Cancel of the message box the wizard shows (Cancel of
//                            the restart question: no restart) and returns when it has gone
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
const int kDriversList = 1014;
const int kInstallHeading = 1015;
const int kIntroApps = 1000;
const int kIntroDrivers = 1011;
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

// Every other page leads back to the intro page.
bool GoToIntro(HWND sheet) {
    if (CurrentPageItem(sheet, kIntroRestoreComment))
        return true;
    ::PostMessageW(sheet, PSM_PRESSBUTTON, PSBTN_BACK, 0);
    return WaitUntil([&] { return CurrentPageItem(sheet, kIntroRestoreComment) != nullptr; });
}

// The intro page's option, then Next to the catalogue page that shows `list`.
bool GoToCatalogue(HWND sheet, int option, int list) {
    if (!GoToIntro(sheet))
        return false;
    PressButton(CurrentPage(sheet), option);
    ::PostMessageW(sheet, PSM_PRESSBUTTON, PSBTN_NEXT, 0);
    return WaitUntil([&] { return CurrentPageItem(sheet, list) != nullptr; });
}

// The application or driver list of the page on show.
HWND CatalogueList(HWND sheet) {
    HWND list = CurrentPageItem(sheet, kAppsList);
    return list ? list : CurrentPageItem(sheet, kDriversList);
}

// The intro page's hidden button leads to the file restore page, which takes stock of the
// recovery source behind a wait dialog before the sheet shows it.
bool GoToFileRestore(HWND sheet) {
    if (!GoToIntro(sheet))
        return false;
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
    if (step == L"apps")
        return GoToCatalogue(sheet, kIntroApps, kAppsList);
    if (step == L"drivers")
        return GoToCatalogue(sheet, kIntroDrivers, kDriversList);
    if (step == L"tick") {
        HWND list = CatalogueList(sheet);
        const int item = list ? FindListItem(list, argument) : -1;
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
    DWORD processId = 0;
    ::GetWindowThreadProcessId(sheet, &processId);
    if (step == L"finish") {
        ::PostMessageW(sheet, PSM_PRESSBUTTON, PSBTN_FINISH, 0);
        return WaitUntil(
            [&] { return FindDialog(true, 0) || WaitForMessageBox(processId, nullptr, 0).window; },
            20000);
    }
    if (step == L"quit") {
        ::PostMessageW(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
        return WaitForWindowGone(sheet);
    }
    if (step == L"wait-run") {
        HWND run = FindDialog(true, 1000);
        return !run || WaitForWindowGone(run, kLongestRun);
    }
    if (step == L"message" || step == L"wait-message" || step == L"answer") {
        const MessageBoxSeen box =
            WaitForMessageBox(processId, nullptr, step == L"wait-message" ? kLongestRun : 5000);
        if (!box.window)
            return false;
        if (step != L"answer") {
            std::wprintf(L"%ls\n", box.text.c_str());
            return true;
        }
        PressButton(box.window, argument == L"cancel" ? IDCANCEL : IDOK);
        return WaitForWindowGone(box.window);
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
