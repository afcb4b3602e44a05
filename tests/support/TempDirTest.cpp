// The temporary directories of the tests: fresh, and gone afterwards with all they held.
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <fstream>

#ifdef _WIN32
#include <windows.h>
#endif

namespace fs = std::filesystem;

namespace {

void WriteFile(const fs::path& path) {
    std::ofstream(path) << "x";
    ASSERT_TRUE(fs::exists(path));
}

TEST(TempDir, IsAFreshEmptyDirectoryBelowTheTemporaryDirectory) {
    TempDir first;
    TempDir second;
    EXPECT_NE(first.Path(), second.Path());
    for (const TempDir* dir : {&first, &second}) {
        EXPECT_TRUE(fs::is_directory(dir->Path()));
        EXPECT_TRUE(fs::is_empty(dir->Path()));
        // Compared with a final separator, which the Windows temporary path has.
        EXPECT_EQ(dir->Path().parent_path() / "", fs::temp_directory_path() / "");
    }
    EXPECT_EQ(first / "name", first.Path() / "name");
}

TEST(TempDir, GoesWithWhatItHoldsReadOnlyFilesToo) {
    fs::path path;
    {
        TempDir dir;
        path = dir.Path();
        fs::create_directories(dir / "a" / "b");
        WriteFile(dir / "top.txt");
        WriteFile(dir / "a" / "b" / "locked.txt");
        const fs::path locked = dir / "a" / "b" / "locked.txt";
        fs::permissions(locked,
                        fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                        fs::perm_options::remove);
        ASSERT_EQ(fs::status(locked).permissions() & fs::perms::owner_write, fs::perms::none);
    }
    EXPECT_FALSE(fs::exists(path));
}

TEST(TempDir, MadeBelowAParentOfTheTestsChoosing) {
    TempDir parent;
    fs::path path;
    {
        TempDir dir(parent.Path());
        path = dir.Path();
        EXPECT_EQ(path.parent_path(), parent.Path());
        WriteFile(dir / "file");
    }
    EXPECT_FALSE(fs::exists(path));
    EXPECT_TRUE(fs::is_empty(parent.Path()));
    EXPECT_ANY_THROW(TempDir(parent / "missing"));
}

#ifdef _WIN32

// Paths of more than 260 characters, only reachable in the "\\?\" form, and read-only
// directories, which Wine keeps as directories without write permission.
TEST(TempDir, GoesWithPathsBeyond260CharactersAndReadOnlyDirectories) {
    fs::path path;
    {
        TempDir dir;
        path = dir.Path();
        std::wstring deep = L"\\\\?\\" + dir.Path().wstring();
        for (int level = 0; level < 3; ++level) {
            deep += L"\\" + std::wstring(100, static_cast<wchar_t>(L'a' + level));
            ASSERT_TRUE(::CreateDirectoryW(deep.c_str(), nullptr));
        }
        const std::wstring file = deep + L"\\file.txt";
        HANDLE handle = ::CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                      FILE_ATTRIBUTE_READONLY, nullptr);
        ASSERT_NE(handle, INVALID_HANDLE_VALUE);
        ::CloseHandle(handle);
        ASSERT_GT(file.size(), 4u + MAX_PATH);
        ASSERT_TRUE(::SetFileAttributesW(deep.c_str(), FILE_ATTRIBUTE_READONLY));
    }
    EXPECT_FALSE(fs::exists(path));
}

#endif

} // namespace
