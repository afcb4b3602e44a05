// Appending an entry to an INI file by editing its text.
#include "install/IniUpdate.h"

#include "support/FileBytes.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace {

using namespace std::string_literals;
using Lines = std::vector<std::wstring>;

TEST(IniUpdate, TheEntryFollowsTheLastLineThatIsNeitherBlankNorAComment) {
    const struct {
        Lines lines;
        const wchar_t* section;
        size_t line;
        bool append;
    } cases[] = {
        {{L"[a]", L"x=1", L"y=2", L"", L"; note", L"[b]", L"z=3"}, L"a", 3, false},
        {{L"[a]", L"x=1", L"no equals sign", L"[b]"}, L"a", 3, false},
        {{L"[a]", L"; only a comment", L""}, L"a", 1, false},
        {{L"[a]"}, L"a", 1, false},
        {{L"x=0", L"  [ Drivers32 ]  trailing", L"x=1"}, L"drivers32", 3, false},
        {{L"[a]", L"x=1", L"[A]", L"y=2"}, L"a", 2, false},
        {{L"[a]", L"x=1"}, L"b", 2, true},
        {{}, L"a", 0, true},
        {{L"[ab]", L"x=1"}, L"a", 2, true},
    };
    for (const auto& c : cases) {
        const IniInsertion insertion = FindIniInsertion(c.lines, c.section);
        EXPECT_EQ(insertion.line, c.line) << testing::PrintToString(c.lines);
        EXPECT_EQ(insertion.appendSection, c.append) << testing::PrintToString(c.lines);
    }
}

TEST(IniUpdate, AnsiTextKeepsEveryOtherByte) {
    const std::string before =
        "; head\r\n[Fonts]\r\nA=a.fon\r\n; tail comment\r\n\r\n[Next]\nB=b\n";
    EXPECT_EQ(InsertIniEntry(before, L"fonts", L"C=c.fon"),
              "; head\r\n[Fonts]\r\nA=a.fon\r\nC=c.fon\r\n; tail comment\r\n\r\n[Next]\nB=b\n");
    EXPECT_EQ(InsertIniEntry("[a]\r\nx=1", L"a", L"y=2"), "[a]\r\nx=1\r\ny=2\r\n");
    EXPECT_EQ(InsertIniEntry("[a]\r\nx=1", L"b", L"y=2"), "[a]\r\nx=1\r\n[b]\r\ny=2\r\n");
    EXPECT_EQ(InsertIniEntry("", L"b", L"y=2"), "[b]\r\ny=2\r\n");
}

std::string Utf16(const std::u16string& text) {
    std::string bytes = "\xFF\xFE";
    for (char16_t ch : text) {
        bytes += static_cast<char>(ch & 0xFF);
        bytes += static_cast<char>(ch >> 8);
    }
    return bytes;
}

TEST(IniUpdate, Utf16TextStaysUtf16) {
    EXPECT_EQ(InsertIniEntry(Utf16(u"[a]\r\nx=\u0100\r\n;c\r\n"), L"a", L"y=\u0101"),
              Utf16(u"[a]\r\nx=\u0100\r\ny=\u0101\r\n;c\r\n"));
    EXPECT_EQ(InsertIniEntry(Utf16(u""), L"s", L"k=v"), Utf16(u"[s]\r\nk=v\r\n"));
}

class IniFileTest : public testing::Test {
protected:
    std::wstring Path(const wchar_t* name) const { return (m_dir / name).wstring(); }
    TempDir m_dir;
};

TEST_F(IniFileTest, AMissingFileIsCreated) {
    ASSERT_TRUE(AppendIniEntry(Path(L"new.ini"), L"drivers", L"wave=x.drv"));
    EXPECT_EQ(ReadBytes(Path(L"new.ini")), "[drivers]\r\nwave=x.drv\r\n");
}

TEST_F(IniFileTest, ASectionLongerThanTheProfileLimitKeepsEveryLine) {
    std::string text = "[first]\r\n; a comment\r\n";
    for (int i = 0; i < 3000; ++i)
        text += "key" + std::to_string(i) + "=a value that makes the section long\r\n";
    text += "a line without an equals sign\r\n[second]\r\nz=1\r\n";
    ASSERT_GT(text.size(), 32767u * 3);
    WriteBytes(Path(L"long.ini"), text);
    ASSERT_TRUE(AppendIniEntry(Path(L"long.ini"), L"first", L"new=1"));
    std::string expected = text;
    expected.insert(expected.find("[second]"), "new=1\r\n");
    EXPECT_EQ(ReadBytes(Path(L"long.ini")), expected);
}

TEST_F(IniFileTest, AFailedWriteLeavesTheFileAsItWas) {
    WriteBytes(Path(L"locked.ini"), "[a]\r\nx=1\r\n");
    const HANDLE lock = ::CreateFileW(Path(L"locked.ini").c_str(), GENERIC_READ, 0, nullptr,
                                      OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(AppendIniEntry(Path(L"locked.ini"), L"a", L"y=2"));
    ::CloseHandle(lock);
    EXPECT_EQ(ReadBytes(Path(L"locked.ini")), "[a]\r\nx=1\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(m_dir.Path()),
                            std::filesystem::directory_iterator()),
              1);
}

TEST(IniUpdate, MappedSectionsGoThroughTheProfileFunctions) {
    const std::vector<std::wstring> systemIni{L"boot", L"drivers32", L"mci"};
    EXPECT_TRUE(IsRegistryMappedSection(L"system.ini", L"drivers32", systemIni));
    EXPECT_TRUE(IsRegistryMappedSection(L"system.ini", L"Drivers32", systemIni));
    EXPECT_FALSE(IsRegistryMappedSection(L"system.ini", L"386Enh", systemIni));
    // The default value maps the whole file.
    EXPECT_TRUE(IsRegistryMappedSection(L"win.ini", L"Fonts", Lines{L""}));
    EXPECT_FALSE(IsRegistryMappedSection(L"my.ini", L"drivers32", std::nullopt));
    EXPECT_FALSE(IsRegistryMappedSection(L"system32\\system.ini", L"drivers32", systemIni));
}

} // namespace
