// How long the file restore page takes to show a large folder in its file list: a Windows
// program to run by hand under Wine or on Windows, not a test.
//
//   restore_list_bench [FILES] [ROUNDS]
//
// It makes a folder of FILES files (default 3,000) of a dozen kinds, in name order as the
// container tool writes them, and a window with a list like the page's (a report without header,
// single selection, sorted, with a border), and shows the folder ROUNDS times (default 5), each
// time until the list has painted. It prints each show's time and the list's image count after
// it: the first show adds the kinds' icons, the later ones add none. Four of the kinds are the
// benchmark's own, registered under HKEY_CLASSES_ROOT for the run (when it may write there) with
// icons of the shell library, so that there are icons to add.
#include "framework/RegKey.h"
#include "restore/RestoreFileList.h"

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cwchar>
#include <memory>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

const int kOwnKinds = 4;
const wchar_t* const kExtensions[] = {L".dll", L".exe", L".txt",  L".inf",  L".sys",  L".ini",
                                      L".hlp", L".drv", L".rlb0", L".rlb1", L".rlb2", L".rlb3"};

std::wstring OwnExtension(int kind) {
    return L".rlb" + std::to_wstring(kind);
}

std::wstring OwnType(int kind) {
    return L"RestoreListBench.File" + std::to_wstring(kind);
}

// The benchmark's kinds .rlb0 to .rlb3; false when HKEY_CLASSES_ROOT cannot be written.
bool RegisterOwnKinds() {
    for (int kind = 0; kind < kOwnKinds; ++kind) {
        CRegKey extension, icon;
        if (extension.Create(HKEY_CLASSES_ROOT, OwnExtension(kind)) != ERROR_SUCCESS ||
            extension.SetString(nullptr, OwnType(kind)) != ERROR_SUCCESS ||
            icon.Create(HKEY_CLASSES_ROOT, OwnType(kind) + L"\\DefaultIcon") != ERROR_SUCCESS ||
            icon.SetString(nullptr, L"%SystemRoot%\\system32\\shell32.dll," +
                                        std::to_wstring(kind + 1)) != ERROR_SUCCESS)
            return false;
    }
    return true;
}

void UnregisterOwnKinds() {
    CRegKey classes;
    if (classes.Open(HKEY_CLASSES_ROOT, L"", KEY_READ | KEY_WRITE) != ERROR_SUCCESS)
        return;
    for (int kind = 0; kind < kOwnKinds; ++kind) {
        classes.DeleteTree(OwnExtension(kind));
        classes.DeleteTree(OwnType(kind));
    }
}

std::unique_ptr<CRestoreFolder> MakeFolder(int count) {
    auto folder = std::make_unique<CRestoreFolder>(L"SYSTEM32");
    for (int i = 0; i < count; ++i) {
        wchar_t number[16] = {};
        std::swprintf(number, 16, L"%06d", i);
        CRestoreFile& file = folder->AddFile(L"FILE" + std::wstring(number) + kExtensions[i % 12]);
        file.m_nState = i % 7 == 0 ? 1 : 0;
    }
    return folder;
}

HWND MakeWindow() {
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = ::DefWindowProcW;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"RestoreListBench";
    ::RegisterClassW(&windowClass);
    return ::CreateWindowExW(0, L"RestoreListBench", L"restore_list_bench",
                             WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 640, 480, nullptr, nullptr,
                             ::GetModuleHandleW(nullptr), nullptr);
}

HWND MakeList(HWND parent) {
    return ::CreateWindowExW(0, WC_LISTVIEWW, L"",
                             WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | LVS_REPORT |
                                 LVS_NOCOLUMNHEADER | LVS_SINGLESEL | LVS_SORTASCENDING,
                             200, 40, 400, 380, parent, nullptr, ::GetModuleHandleW(nullptr),
                             nullptr);
}

// Dispatches what is waiting, painting included.
void Pump() {
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    const int count = argc > 1 ? std::wcstol(argv[1], nullptr, 10) : 3000;
    const int rounds = argc > 2 ? std::wcstol(argv[2], nullptr, 10) : 5;
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_LISTVIEW_CLASSES};
    ::InitCommonControlsEx(&controls);

    const std::unique_ptr<CRestoreFolder> folder = MakeFolder(count);
    if (!RegisterOwnKinds())
        std::printf("the benchmark's own file kinds could not be registered\n");
    HWND window = MakeWindow();
    HWND listWindow = MakeList(window);
    Pump();
    // Windows 5 and later keep the shell library in system32.
    SystemLayout layout;
    layout.nt5 = true;
    CRestoreFileList list;
    list.Attach(listWindow, layout);
    std::printf("images before the first show: %d\n", list.Images().GetImageCount());

    double best = 1e300;
    for (int round = 1; round <= rounds; ++round) {
        const Clock::time_point start = Clock::now();
        list.Show(*folder);
        ::UpdateWindow(listWindow);
        Pump();
        const double shown = MillisecondsSince(start);
        if (round > 1)
            best = std::min(best, shown);
        std::printf("show %d: %d items in %.1f ms, %d images\n", round,
                    list.Control().GetItemCount(), shown, list.Images().GetImageCount());
    }
    std::printf("%d files: best repeated show %.1f ms\n", count, best);

    ::DestroyWindow(window);
    UnregisterOwnKinds();
    return 0;
}
