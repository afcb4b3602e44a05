// How long the restore inventory takes against merely reading what it is built from: a Windows
// program to run by hand under Wine or on Windows, not a test.
//
//   restore_inventory_bench [ENTRIES] [LINES] [ROUNDS]
//
// It makes a recovery source in the temporary directory: ENTRIES container entries (default
// 20,000) spread over four containers in PRELOAD, and LINES list lines (default 5,000) split
// between ALL.W32 (ANSI) and WINDOWS.W32 (UTF-16). Then, ROUNDS times (default 5), it times
// (i) opening and listing the containers and reading the lists, and (ii) building the inventory
// from them, and prints each round's times, the best of each and their ratio.
#include "archive/ArchiveReader.h"
#include "archive/ArchiveText.h"
#include "common/TextFile.h"
#include "restore/RestoreInventory.h"
#include "tools/ArchiveWriter.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

const int kContainers = 4;
const int kDirectories = 400;
const wchar_t* const kLists[] = {L"ALL.W32", L"WINDOWS.W32"};

double MillisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Entry i lies in one of the 400 directories at two to four levels below C:\, as Windows' own
// files do, with an extension of a few kinds.
std::wstring EntryName(int i) {
    const wchar_t* const top[] = {L"WINDOWS", L"WINDOWS\\SYSTEM32", L"Program Files",
                                  L"WINDOWS\\INF"};
    const wchar_t* const extensions[] = {L".dll", L".exe", L".txt", L".inf", L".sys"};
    const int directory = i % kDirectories;
    return std::wstring(top[directory % 4]) + L"\\D" + std::to_wstring(directory / 4 % 25) +
           (directory >= 100 ? L"\\S" + std::to_wstring(directory / 100) : L"") + L"\\F" +
           std::to_wstring(i) + extensions[i % 5];
}

void WriteContainers(const fs::path& preload, int entries) {
    const std::uint8_t content[] = {'d', 'e', 'm', 'o'};
    for (int c = 0; c < kContainers; ++c) {
        CArchiveWriter writer;
        const fs::path path = preload / ("PART" + std::to_string(c) + ".inp");
        bool written = writer.Create(ToArchiveText(path.wstring()));
        // Container c holds the directories d with d % 4 == c, each directory's entries
        // together, as the container tool writes a tree.
        for (int directory = c; directory < kDirectories; directory += kContainers) {
            for (int i = directory; written && i < entries; i += kDirectories) {
                ArchiveEntryInfo info;
                info.name = ToArchiveText(EntryName(i));
                info.attributes = ArchiveAttributes::Archive;
                written = writer.AddEntry(info, content);
            }
        }
        if (!written || !writer.Finish()) {
            std::fprintf(stderr, "cannot write %ls\n", path.c_str());
            std::exit(1);
        }
    }
}

// ALL.W32 in ANSI, WINDOWS.W32 in UTF-16LE with a byte-order mark, both with CRLF.
void WriteLists(const fs::path& preload, int lines) {
    std::ofstream ansi(preload / "ALL.W32", std::ios::binary);
    std::ofstream unicode(preload / "WINDOWS.W32", std::ios::binary);
    unicode.write("\xFF\xFE", 2);
    for (int i = 0; i < lines; ++i) {
        const std::string line = "D:\\WINDOWS\\SYSTEM\\L" + std::to_string(i % 50) + "\\X" +
                                 std::to_string(i) + ".DLL\r\n";
        if (i % 2 == 0) {
            ansi << line;
            continue;
        }
        for (char c : line)
            unicode.write(&c, 1).put('\0');
    }
}

size_t CountFiles(const CRestoreFolder& folder) {
    size_t count = folder.GetFileCount();
    for (size_t i = 0; i < folder.GetChildCount(); ++i)
        count += CountFiles(folder.GetChild(i));
    return count;
}

// What the inventory cannot do without: every container's directory and every list line.
size_t ReadSources(const fs::path& preload) {
    size_t read = 0;
    for (int c = 0; c < kContainers; ++c) {
        CArchiveReader reader;
        const fs::path path = preload / ("PART" + std::to_string(c) + ".inp");
        if (!reader.Open(path.wstring(), CArchiveReader::OpenMode::OpenExisting))
            continue;
        // A listing takes each entry's name.
        while (reader.ReadEntry(true)) {
            const std::u16string name = reader.GetFileName();
            read += name.empty() ? 0 : 1;
        }
        reader.Close();
    }
    for (const wchar_t* name : kLists) {
        CTextFile list;
        if (!list.Open((preload / name).wstring()))
            continue;
        list.Rewind();
        while (!list.IsEnd())
            read += list.ReadLine().empty() ? 0 : 1;
        list.Close();
    }
    return read;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    const int entries = argc > 1 ? std::wcstol(argv[1], nullptr, 10) : 20000;
    const int lines = argc > 2 ? std::wcstol(argv[2], nullptr, 10) : 5000;
    const int rounds = argc > 3 ? std::wcstol(argv[3], nullptr, 10) : 5;

    const fs::path root = fs::temp_directory_path() /
                          ("restore_inventory_bench_" + std::to_string(::GetCurrentProcessId()));
    const fs::path preload = root / "PRELOAD";
    fs::create_directories(preload);
    WriteContainers(preload, entries);
    WriteLists(preload, lines);

    double bestRead = 1e300;
    double bestBuild = 1e300;
    for (int round = 1; round <= rounds; ++round) {
        Clock::time_point start = Clock::now();
        const size_t read = ReadSources(preload);
        const double readMs = MillisecondsSince(start);

        start = Clock::now();
        CRestoreFolder inventory(L"ROOT");
        CInventoryBuilder(inventory, {}).Build(PreloadDirs(preload.wstring()));
        const double buildMs = MillisecondsSince(start);

        bestRead = std::min(bestRead, readMs);
        bestBuild = std::min(bestBuild, buildMs);
        std::printf("round %d: read %zu entries and lines in %.1f ms; inventory of %zu files "
                    "in %.1f ms\n",
                    round, read, readMs, CountFiles(inventory), buildMs);
    }
    std::printf("best of %d rounds for %d entries and %d lines: read %.1f ms, inventory %.1f ms, "
                "ratio %.2f\n",
                rounds, entries, lines, bestRead, bestBuild, bestBuild / bestRead);

    fs::remove_all(root);
    return 0;
}
