// How long the application page takes to build its catalogue from a large recovery source: a
// Windows program to run by hand under Wine or on Windows, not a test.
//
//   catalogue_bench [COUNT] [ROUNDS]
//
// It writes COUNT description files (default 500) into a fresh source in the temporary
// directory, then, ROUNDS times (default 5), reads the catalogue (the files' descriptions, as
// the page reads them) and fills a check-box list view with it in the way the page does, and
// prints each round's times and the best.
#include "catalogue/Catalogue.h"
#include "framework/FillingGuard.h"
#include "framework/ListCtrl.h"

#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cwchar>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// A source root with COUNT description files below I386\APPS\DTA, and Install.ini beside the
// current directory's place, which the catalogue reads for its exclusions.
fs::path MakeSource(int count) {
    const fs::path root =
        fs::temp_directory_path() / ("catalogue_bench_" + std::to_string(::GetCurrentProcessId()));
    const fs::path dta = root / "I386" / "APPS" / "DTA";
    fs::create_directories(dta);
    std::ofstream(root / "Install.ini") << "[Exclude]\r\nExclude1=excluded.dta\r\n";
    for (int i = 0; i < count; ++i) {
        std::ofstream file(dta / ("app" + std::to_string(i) + ".dta"), std::ios::binary);
        file << "[App]\r\nDescription=Application number " << i
             << "\r\nInstallation_Type=RunOnce\\Setup\r\nSourceDir=APP" << i
             << "\r\nExe_File=setup.exe\r\nCmdLine=/s\r\n";
    }
    return root;
}

HWND MakeList() {
    HWND list = ::CreateWindowExW(
        0, WC_LISTVIEWW, L"", WS_POPUP | LVS_REPORT | LVS_NOCOLUMNHEADER | LVS_SORTASCENDING, 0, 0,
        400, 300, nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    CListCtrl(list).InsertColumn(0, L"", 180);
    CListCtrl(list).InsertColumn(1, L"", 0);
    return list;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    const int count = argc > 1 ? std::wcstol(argv[1], nullptr, 10) : 500;
    const int rounds = argc > 2 ? std::wcstol(argv[2], nullptr, 10) : 5;
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_LISTVIEW_CLASSES};
    ::InitCommonControlsEx(&controls);

    const fs::path root = MakeSource(count);
    fs::current_path(root);
    const SourceDirs dirs = DeriveSourceDirs(root.wstring() + L"\\");
    CListCtrl list(MakeList());

    double best = 1e300;
    for (int round = 1; round <= rounds; ++round) {
        const Clock::time_point start = Clock::now();
        const std::vector<CatalogueEntry> entries =
            ListDescriptionFiles(kApplicationCatalogue, dirs, ReadExclusions());
        const double read = MillisecondsSince(start);
        {
            CFillingGuard filling(list);
            list.DeleteAllItems();
            list.SetExtendedStyle(0, LVS_EX_CHECKBOXES);
            for (const CatalogueEntry& entry : entries) {
                const int index = list.InsertItem(0, entry.description, 0);
                list.SetItemText(index, 1, entry.fileName);
            }
        }
        const double total = MillisecondsSince(start);
        best = std::min(best, total);
        std::printf("round %d: %d entries, read %.1f ms, read and filled %.1f ms\n", round,
                    list.GetItemCount(), read, total);
    }
    std::printf("best of %d rounds for %d description files: %.1f ms\n", rounds, count, best);

    ::DestroyWindow(list);
    fs::current_path(fs::temp_directory_path());
    fs::remove_all(root);
    return 0;
}
