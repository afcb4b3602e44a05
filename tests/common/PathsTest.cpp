#include "common/FileFind.h"
#include "common/Pause.h"
#include "common/Paths.h"
#include "support/FileBytes.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <map>

namespace {

bool IsDirectory(const std::wstring& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

TEST(PathRules, AbsoluteMeansADriveColonBackslashAnywhere) {
    EXPECT_TRUE(IsAbsolutePath(L"C:\\dir\\file"));
    EXPECT_TRUE(IsAbsolutePath(L"\"C:\\dir\\setup.exe\" /s"));
    EXPECT_FALSE(IsAbsolutePath(L"C:dir\\file"));
    EXPECT_FALSE(IsAbsolutePath(L"\\dir\\file"));
}

TEST(PathRules, JoiningInsertsOneBackslashOnlyWhenMissing) {
    EXPECT_EQ(JoinPath(L"C:\\dir", L"file"), L"C:\\dir\\file");
    EXPECT_EQ(JoinPath(L"C:\\", L"file"), L"C:\\file");
    EXPECT_EQ(JoinPath(L"C:\\dir\\", L"sub\\file"), L"C:\\dir\\sub\\file");
}

TEST(CreateDirectoryPath, CreatesEveryMissingDirectoryAlongThePath) {
    TempDir temp;
    ::CreateDirectoryW((temp / L"a").c_str(), nullptr);
    WriteBytes(temp / L"a\\keep.txt", "kept");

    CreateDirectoryPath(temp / L"a\\b\\c");

    EXPECT_TRUE(IsDirectory(temp / L"a\\b"));
    EXPECT_TRUE(IsDirectory(temp / L"a\\b\\c"));
    EXPECT_EQ(ReadBytes(temp / L"a\\keep.txt"), "kept");
}

TEST(CreateDirectoryPath, ATrailingBackslashAndAnExistingPathDoNoHarm) {
    TempDir temp;
    CreateDirectoryPath(temp / L"x\\y\\");
    EXPECT_TRUE(IsDirectory(temp / L"x\\y"));
    CreateDirectoryPath(temp / L"x\\y");
    EXPECT_TRUE(IsDirectory(temp / L"x\\y"));
}

struct Entry {
    std::wstring path;
    bool dots;
    bool directory;
    bool normal;
};

std::map<std::wstring, Entry> Enumerate(const std::wstring& pattern) {
    std::map<std::wstring, Entry> entries;
    CFileFind find;
    for (bool found = find.FindFile(pattern); found; found = find.FindNextFile())
        entries[find.GetFileName()] = {find.GetFilePath(), find.IsDots(), find.IsDirectory(),
                                       find.IsNormal()};
    return entries;
}

TEST(FileFind, EnumeratesADirectoryWithFullPathsAndMarksTheDotEntries) {
    TempDir temp;
    WriteBytes(temp / L"plain.txt", "x");
    WriteBytes(temp / L"locked.txt", "x");
    ::SetFileAttributesW((temp / L"locked.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    ::CreateDirectoryW((temp / L"sub").c_str(), nullptr);

    std::map<std::wstring, Entry> entries = Enumerate(temp / L"*.*");

    ASSERT_EQ(entries.size(), 5u);
    EXPECT_TRUE(entries[L"."].dots);
    EXPECT_TRUE(entries[L".."].dots);
    EXPECT_EQ(entries[L"plain.txt"].path, temp / L"plain.txt");
    EXPECT_FALSE(entries[L"plain.txt"].dots);
    EXPECT_FALSE(entries[L"plain.txt"].directory);
    EXPECT_FALSE(entries[L"locked.txt"].normal);
    EXPECT_TRUE(entries[L"sub"].directory);
    EXPECT_EQ(entries[L"sub"].path, temp / L"sub");
}

TEST(FileFind, ReportsTheLastWriteTimeOfTheEntry) {
    TempDir temp;
    WriteBytes(temp / L"dated.txt", "x");
    HANDLE file = ::CreateFileW((temp / L"dated.txt").c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    SYSTEMTIME fields = {2001, 6, 0, 15, 10, 20, 30, 0};
    FILETIME written;
    ::SystemTimeToFileTime(&fields, &written);
    ::SetFileTime(file, nullptr, nullptr, &written);
    ::CloseHandle(file);

    CFileFind find;
    ASSERT_TRUE(find.FindFile(temp / L"dated.txt"));
    const FILETIME found = find.GetLastWriteTime();
    EXPECT_EQ(::CompareFileTime(&written, &found), 0);
}

TEST(FileFind, APlainPathIsFoundExactlyWhenItExists) {
    TempDir temp;
    WriteBytes(temp / L"file.inp", "x");
    ::CreateDirectoryW((temp / L"dir").c_str(), nullptr);

    EXPECT_TRUE(AnyFileMatches(temp / L"file.inp"));
    EXPECT_TRUE(AnyFileMatches(temp / L"dir"));
    EXPECT_FALSE(AnyFileMatches(temp / L"missing"));
    EXPECT_TRUE(AnyFileMatches(temp / L"*.inp"));
    EXPECT_FALSE(AnyFileMatches(temp / L"*.log"));
    EXPECT_FALSE(AnyFileMatches(temp / L"missing\\*.*"));
}

TEST(FileFind, FullPathsOfARelativePatternAreAbsolute) {
    TempDir temp;
    WriteBytes(temp / L"here.txt", "x");
    wchar_t saved[MAX_PATH];
    ::GetCurrentDirectoryW(MAX_PATH, saved);
    ::SetCurrentDirectoryW(temp.Path().c_str());
    std::map<std::wstring, Entry> entries = Enumerate(L"*.txt");
    ::SetCurrentDirectoryW(saved);

    ASSERT_EQ(entries.count(L"here.txt"), 1u);
    EXPECT_EQ(::lstrcmpiW(entries[L"here.txt"].path.c_str(), (temp / L"here.txt").c_str()), 0);
}

TEST(FileFind, EntriesOfADriveRootHaveOneBackslash) {
    CFileFind find;
    ASSERT_TRUE(find.FindFile(L"C:\\*.*"));
    do {
        if (!find.IsDots()) {
            EXPECT_EQ(find.GetFilePath(), L"C:\\" + find.GetFileName());
        }
    } while (find.FindNextFile());
}

// A counter that moves 16 milliseconds per reading, starting just before it wraps.
DWORD g_fakeTicks = 0;
int g_readings = 0;
DWORD WINAPI FakeTickCount() {
    ++g_readings;
    return g_fakeTicks += 16;
}

TEST(Pause, OutlastsTheCounterWrappingAround) {
    g_fakeTicks = 0xFFFFFF00u;
    g_readings = 0;
    PauseOn(1000, FakeTickCount);
    EXPECT_LT(g_fakeTicks, 0x1000u) << "the counter wrapped during the pause";
    EXPECT_EQ(g_readings, 1 + 63) << "ends at the first reading 1000 ms or more after the start";
}

TEST(Pause, WaitsAtLeastTheTimeAskedFor) {
    const DWORD start = ::GetTickCount();
    Pause(30);
    EXPECT_GE(::GetTickCount() - start, 30u);
}

} // namespace
