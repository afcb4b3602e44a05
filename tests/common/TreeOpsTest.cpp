#include "common/FileFind.h"
#include "common/TreeFixture.h"
#include "common/TreeOps.h"

#include <gtest/gtest.h>

namespace {

TEST(DeleteTreeContents, RemovesProtectedEntriesAndKeepsTheDirectory) {
    TempDir dir;
    std::wstring root = dir / L"Root";
    WriteTreeFile(root, L"plain.txt", "a");
    WriteTreeFile(root, L"readonly.txt", "b");
    WriteTreeFile(root, L"hidden.txt", "c");
    WriteTreeFile(root, L"Sub\\Deeper\\system.dll", "d");
    ::SetFileAttributesW((root + L"\\readonly.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    ::SetFileAttributesW((root + L"\\hidden.txt").c_str(), FILE_ATTRIBUTE_HIDDEN);
    ::SetFileAttributesW((root + L"\\Sub\\Deeper\\system.dll").c_str(),
                         FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_READONLY);
    ::SetFileAttributesW((root + L"\\Sub").c_str(), FILE_ATTRIBUTE_READONLY);

    DeleteTreeContents(root);
    EXPECT_EQ(AttributesOfFile(root) & FILE_ATTRIBUTE_DIRECTORY, DWORD(FILE_ATTRIBUTE_DIRECTORY));
    EXPECT_EQ(CountEntriesBelow(root), 0);
}

TEST(DeleteTreeContents, MissingDirectoryIsNoError) {
    TempDir dir;
    DeleteTreeContents(dir / L"missing");
    RemoveTree(dir / L"missing");
    EXPECT_TRUE(Exists(dir.Path()));
}

TEST(RemoveTree, RemovesTheDirectoryWithEverythingInIt) {
    TempDir dir;
    WriteTreeFile(dir / L"Root", L"a\\b\\c.txt", "x");
    ::SetFileAttributesW((dir / L"Root\\a\\b\\c.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    RemoveTree(dir / L"Root");
    EXPECT_FALSE(Exists(dir / L"Root"));
    EXPECT_TRUE(Exists(dir.Path()));
}

TEST(CopyTree, CopiesEveryLevelIntoANewDestinationPath) {
    TempDir dir;
    WriteTreeFile(dir / L"src", L"top.txt", "top");
    WriteTreeFile(dir / L"src", L"one\\two\\deep.bin", std::string("\0\1\2", 3));
    MakeDirectory(dir / L"src\\empty");

    CopyTree(dir / L"src", dir / L"new\\nested\\dst");
    EXPECT_EQ(ReadBytes(dir / L"new\\nested\\dst\\top.txt"), "top");
    EXPECT_EQ(ReadBytes(dir / L"new\\nested\\dst\\one\\two\\deep.bin"), std::string("\0\1\2", 3));
    EXPECT_TRUE(Exists(dir / L"new\\nested\\dst\\empty"));
    EXPECT_EQ(CountEntriesBelow(dir / L"new\\nested\\dst"), 5);
}

TEST(CopyTree, OverwritesFilesAndMergesIntoExistingDirectories) {
    TempDir dir;
    WriteTreeFile(dir / L"src", L"same.txt", "new");
    WriteTreeFile(dir / L"src", L"Sub\\added.txt", "added");
    WriteTreeFile(dir / L"dst", L"same.txt", "old and longer");
    WriteTreeFile(dir / L"dst", L"Sub\\kept.txt", "kept");

    CopyTree(dir / L"src", dir / L"dst");
    EXPECT_EQ(ReadBytes(dir / L"dst\\same.txt"), "new");
    EXPECT_EQ(ReadBytes(dir / L"dst\\Sub\\added.txt"), "added");
    EXPECT_EQ(ReadBytes(dir / L"dst\\Sub\\kept.txt"), "kept");
}

TEST(CopyTree, MissingSourceStillCreatesTheDestination) {
    TempDir dir;
    CopyTree(dir / L"missing", dir / L"a\\b");
    EXPECT_EQ(AttributesOfFile(dir / L"a\\b") & FILE_ATTRIBUTE_DIRECTORY,
              DWORD(FILE_ATTRIBUTE_DIRECTORY));
    EXPECT_EQ(CountEntriesBelow(dir / L"a\\b"), 0);
}

TEST(CountTreeEntries, CountsFilesAndDirectoriesAtAllDepths) {
    TempDir dir;
    EXPECT_EQ(CountTreeEntries(dir / L"missing"), 0);
    EXPECT_EQ(CountTreeEntries(dir.Path()), 0);
    WriteTreeFile(dir.Path(), L"a.txt", "");
    WriteTreeFile(dir.Path(), L"d1\\b.txt", "");
    WriteTreeFile(dir.Path(), L"d1\\d2\\c.txt", "");
    MakeDirectory(dir / L"d3");
    EXPECT_EQ(CountTreeEntries(dir.Path()), 6);
    EXPECT_EQ(CountTreeEntries(dir.Path().wstring() + L"\\"), 6);
}

// An empty name would mean the root of the current drive. Only the count is tried here: a
// count that went wrong only takes long, where a deletion would do real harm.
TEST(CountTreeEntries, AnEmptyNameIsNoTree) {
    EXPECT_EQ(CountTreeEntries(L""), 0);
}

// The shared walk refuses an empty name, which joined with "*.*" would be the root of the
// current drive (which has entries).
TEST(ForEachEntry, AnEmptyNameVisitsNothing) {
    ASSERT_TRUE(AnyFileMatches(L"\\*.*"));
    int visited = 0;
    EXPECT_TRUE(ForEachEntry(L"", [&visited](const CFileFind&) { ++visited; }));
    EXPECT_EQ(visited, 0);
    EXPECT_EQ(AllEntriesOf(L""), L"");
    CFileFind find;
    EXPECT_FALSE(find.FindFile(L""));
}

} // namespace
