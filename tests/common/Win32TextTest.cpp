// The Windows side on real files: fresh reads on every call, relative names, sharing, the
// current directory, the code page and the files the line file writes.
#include "support/FileBytes.h"
#include "support/TempDir.h"

#include "common/CurrentDir.h"
#include "common/IniReader.h"
#include "common/LineFile.h"
#include "common/StringHelpers.h"
#include "common/TextFile.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace {

using namespace std::string_literals;

// Makes `dir` the current directory for one test and restores the previous one.
class CCurrentDirScope {
public:
    explicit CCurrentDirScope(const std::wstring& dir) : m_previous(GetCurrentDir()) {
        EXPECT_TRUE(SetCurrentDirectoryW(dir.c_str()));
    }
    ~CCurrentDirScope() { SetCurrentDirectoryW(m_previous.c_str()); }

private:
    std::wstring m_previous;
};

TEST(Win32IniTest, EveryCallReadsTheFileAfresh) {
    TempDir dir;
    const std::wstring ini = dir / L"Install.ini";
    WriteBytes(ini, "[General]\r\nTitle=First\r\n");
    std::wstring title;
    EXPECT_TRUE(GetIniValue(L"General", L"Title", L"none", title, ini));
    EXPECT_EQ(title, L"First");
    WriteBytes(ini, "\xFF\xFE[\0G\0e\0n\0e\0r\0a\0l\0]\0\r\0\n\0T\0i\0t\0l\0e\0=\0S\0\r\0\n\0"s);
    EXPECT_TRUE(GetIniValue(L"General", L"Title", L"none", title, ini));
    EXPECT_EQ(title, L"S");
    std::vector<std::wstring> lines;
    GetIniSectionLines(L"General", lines, ini);
    EXPECT_EQ(lines, (std::vector<std::wstring>{L"Title=S", L""}));
}

TEST(Win32IniTest, MissingFileGivesTheDefaultAndNoLines) {
    TempDir dir;
    std::wstring value = L"stale";
    EXPECT_FALSE(GetIniValue(L"General", L"Title", L"Melvorin", value, dir / L"none.ini"));
    EXPECT_EQ(value, L"Melvorin");
    std::vector<std::wstring> lines{L"stale"};
    GetIniSectionLines(L"General", lines, dir / L"none.ini");
    EXPECT_TRUE(lines.empty());
    EXPECT_FALSE(IniSectionHasLines(L"General", dir / L"none.ini"));
}

TEST(Win32IniTest, NamesWithoutDriveAreFoundInTheCurrentDirectory) {
    TempDir dir;
    WriteBytes(dir / L"Install.ini", "[General]\r\nTitle=Here\r\n");
    CCurrentDirScope scope(dir.Path());
    std::wstring title;
    EXPECT_TRUE(GetIniValue(L"General", L"Title", L"none", title, L"Install.ini"));
    EXPECT_EQ(title, L"Here");
    EXPECT_TRUE(IniSectionHasLines(L"General", L"Install.ini"));
}

TEST(Win32IniTest, ReadersShareTheFileButNotWithAWriter) {
    TempDir dir;
    const std::wstring ini = dir / L"Install.ini";
    WriteBytes(ini, "[General]\r\nTitle=Shared\r\n");
    CTextFile first;
    ASSERT_TRUE(first.Open(ini));
    std::wstring title;
    EXPECT_TRUE(GetIniValue(L"General", L"Title", L"none", title, ini));
    first.Close();

    HANDLE writer = CreateFileW(ini.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(writer, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(GetIniValue(L"General", L"Title", L"none", title, ini));
    EXPECT_EQ(title, L"none");
    CloseHandle(writer);
}

TEST(Win32TextFileTest, AnsiLinesGoThroughTheSystemCodePage) {
    TempDir dir;
    WriteBytes(dir / L"ansi.txt", "caf\xE9\r\n");
    wchar_t expected[8] = {};
    ASSERT_EQ(MultiByteToWideChar(CP_ACP, 0, "caf\xE9", 4, expected, 8), 4);
    CTextFile file;
    ASSERT_TRUE(file.Open(dir / L"ansi.txt"));
    EXPECT_FALSE(file.IsUnicode());
    EXPECT_EQ(file.ReadLine(), std::wstring(expected, 4));
}

TEST(Win32LineFileTest, WritesUnitsAndBreaksWithoutMarkAndReadsThemBack) {
    TempDir dir;
    const std::wstring path = dir / L"brelmak.flg";
    WriteBytes(path, "old content that must go");
    CLineFile file;
    ASSERT_TRUE(file.Open(path, CLineFile::modeCreate));
    EXPECT_TRUE(file.WriteLine(L"Reboot"));
    EXPECT_TRUE(file.WriteLine(L"\u20AC"));
    file.Close();
    EXPECT_EQ(ReadBytes(path), "R\0e\0b\0o\0o\0t\0\r\0\n\0\xAC\x20\r\0\n\0"s);

    ASSERT_TRUE(file.Open(path, CLineFile::modeRead));
    EXPECT_EQ(file.ReadLine(), L"Reboot");
    EXPECT_EQ(file.ReadLine(), L"\u20AC");
    EXPECT_EQ(file.ReadLine(), L"");
    EXPECT_TRUE(file.IsEnd());
    file.Rewind();
    EXPECT_FALSE(file.IsEnd());
    EXPECT_EQ(file.ReadLine(), L"Reboot");
    EXPECT_FALSE(file.WriteLine(L"read only"));
    file.Close();
    EXPECT_FALSE(file.Open(dir / L"missing.flg", CLineFile::modeRead));
}

TEST(Win32CurrentDirTest, SlashIsAddedOnlyWhenMissing) {
    {
        CCurrentDirScope scope(L"C:\\");
        EXPECT_EQ(GetCurrentDir(), L"C:\\");
        EXPECT_EQ(GetCurrentDirSlash(), L"C:\\");
    }
    TempDir dir;
    const std::wstring sub = dir / L"src";
    ASSERT_TRUE(CreateDirectoryW(sub.c_str(), nullptr));
    CCurrentDirScope scope(sub);
    EXPECT_EQ(GetCurrentDir(), sub);
    EXPECT_EQ(GetCurrentDirSlash(), sub + L"\\");
}

TEST(Win32StringHelpersTest, WideHelpersFollowTheSharedRules) {
    std::wstring path = L"C:\\dir\\file.txt";
    EXPECT_EQ(FileNameOf(path), L"file.txt");
    EXPECT_EQ(SplitLast(path, L'\\'), L"file.txt");
    EXPECT_EQ(SplitFirst(path, L'\\'), L"C:");
    EXPECT_EQ(path, L"dir");
    EXPECT_EQ(TrimBlanks(L" \tx\r\n"), L"x");
}

} // namespace
