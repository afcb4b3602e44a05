// The configuration services below the pages: the platform's profile reads, which must not cut
// long values or sections, and the system layout that the runs build their paths from.
#include "common/PrivateProfile.h"
#include "common/SystemLayout.h"
#include "support/FileBytes.h"
#include "support/TempDir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class PrivateProfileTest : public ::testing::Test {
protected:
    std::wstring Ini(const std::string& text) {
        const std::wstring path = (m_dir / L"test.ini").wstring();
        WriteAnsi(path, text);
        return path;
    }

    TempDir m_dir;
};

TEST_F(PrivateProfileTest, AValueLongerThanTheFirstBufferComesWhole) {
    for (size_t length : {254u, 255u, 256u, 511u, 512u, 5000u}) {
        SCOPED_TRACE(length);
        const std::string value(length, 'v');
        const std::wstring ini = Ini("[S]\r\nkey=" + value + "\r\n");
        EXPECT_EQ(ProfileString(L"S", L"key", L"none", ini), std::wstring(length, L'v'));
    }
}

TEST_F(PrivateProfileTest, MissingKeysAndFilesGiveTheDefaultWhole) {
    const std::wstring longDefault(700, L'd');
    EXPECT_EQ(ProfileString(L"S", L"other", longDefault, Ini("[S]\r\nkey=1\r\n")), longDefault);
    EXPECT_EQ(ProfileString(L"S", L"key", L"none", (m_dir / L"missing.ini").wstring()), L"none");
}

TEST_F(PrivateProfileTest, TheWholeSectionComesInTheOrderOfTheFile) {
    std::string text = "[Before]\r\nx=1\r\n[S]\r\n";
    for (int i = 0; i < 300; ++i)
        text += "Line" + std::to_string(i) + " = " + std::string(20, 'a' + i % 26) + "\r\n";
    text += "[After]\r\ny=2\r\n";
    const std::vector<std::wstring> lines = ProfileSection(L"S", Ini(text));
    ASSERT_EQ(lines.size(), 300u);
    EXPECT_EQ(lines.front(), L"Line0=" + std::wstring(20, L'a')) << "the platform drops the blanks";
    EXPECT_EQ(lines.back(), L"Line299=" + std::wstring(20, L'a' + 299 % 26));
}

TEST_F(PrivateProfileTest, EmptyOrMissingSectionsHaveNoLines) {
    const std::wstring ini = Ini("[Empty]\r\n[S]\r\na=1\r\n");
    EXPECT_THAT(ProfileSection(L"Empty", ini), IsEmpty());
    EXPECT_THAT(ProfileSection(L"Missing", ini), IsEmpty());
    EXPECT_THAT(ProfileSection(L"S", ini), ElementsAre(L"a=1"));
}

TEST(SystemLayoutTest, WindowsTwoThousandLivesInWinntAndEveryOtherWindowsInWindows) {
    const struct {
        bool win2000;
        bool nt5;
        const wchar_t* windows;
        const wchar_t* shell32;
    } cases[] = {
        {true, true, L"C:\\Winnt", L"C:\\Winnt\\system32\\shell32.dll"},
        {false, true, L"C:\\Windows", L"C:\\Windows\\system32\\shell32.dll"},
        {false, false, L"C:\\Windows", L"C:\\Windows\\system\\shell32.dll"},
    };
    for (const auto& c : cases) {
        const SystemLayout layout{c.win2000, c.nt5};
        EXPECT_EQ(layout.WindowsDir(), c.windows);
        EXPECT_EQ(layout.TempDir(), std::wstring(c.windows) + L"\\Temp");
        EXPECT_EQ(layout.BundleDir(), std::wstring(c.windows) + L"\\inf\\asm");
        EXPECT_EQ(layout.RebootFlagPath(), std::wstring(c.windows) + L"\\brelmak.flg");
        EXPECT_EQ(layout.Shell32Path(), c.shell32);
    }
}

TEST(SystemLayoutTest, DesktopLinksLieInThePlatformsWindowsDirectory) {
    wchar_t windows[MAX_PATH];
    ASSERT_GT(::GetWindowsDirectoryW(windows, MAX_PATH), 0u);
    EXPECT_EQ(PlatformWindowsDir(), windows);
    EXPECT_EQ(DesktopLinkDir(), std::wstring(windows) + L"\\DeskLnk");
}

} // namespace
