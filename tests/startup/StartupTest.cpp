#include "app/Administrator.h"
#include "app/RecoveryApp.h"
#include "resources/resource.h"
#include "support/FileBytes.h"
#include "support/TempDir.h"
#include "support/WindowDriver.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <string>
#include <thread>

namespace {

std::string ProbePath() {
    return PROBE_EXE;
}

// Runs start-up in a directory of its own, with Install.ini as given.
class StartUp : public ::testing::Test {
protected:
    void SetUp() override {
        wchar_t previous[MAX_PATH];
        ::GetCurrentDirectoryW(MAX_PATH, previous);
        m_previousDir = previous;
        ASSERT_TRUE(::SetCurrentDirectoryW(m_dir.Path().c_str()));
    }
    void TearDown() override {
        ::SetCurrentDirectoryW(m_previousDir.c_str());
        theApp.m_pfnIsUserAdministrator = nullptr;
    }

    TempDir m_dir;
    std::wstring m_previousDir;
};

BOOL NotAnAdministrator() {
    return FALSE;
}

// Starts the program's start-up with a failing administrator check, and reads the message
// box it shows before pressing its OK button.
std::wstring AdministratorMessage(const std::wstring& caption, BOOL& started) {
    theApp.m_pfnIsUserAdministrator = NotAnAdministrator;
    std::wstring text;
    bool wizardSeen = false;
    std::thread user([&] {
        HWND box = WaitForOwnDialog(caption);
        ASSERT_NE(box, nullptr);
        text = ItemText(box, 0xFFFF);
        ::PostMessageW(box, WM_COMMAND, IDOK, 0);
        ASSERT_TRUE(WaitForWindowGone(box));
        wizardSeen = WaitForOwnDialog(caption, 300) != nullptr;
    });
    started = theApp.InitInstance();
    user.join();
    EXPECT_FALSE(wizardSeen) << "no wizard after the administrator message";
    return text;
}

TEST_F(StartUp, RefusesAUserWhoIsNotAnAdministratorWithTheConfiguredMessage) {
    WriteAnsi(m_dir / L"Install.ini", "[General]\r\nTitle=Admin Test\r\n"
                                      "Administrator_Only=Ask your administrator.\r\n");
    BOOL started = TRUE;
    EXPECT_EQ(AdministratorMessage(L"Admin Test", started), L"Ask your administrator.");
    EXPECT_FALSE(started);
}

TEST_F(StartUp, AdministratorMessageDefaultsToTheStringTable) {
    BOOL started = TRUE;
    EXPECT_EQ(AdministratorMessage(L"Melvorin", started),
              L"Only an Administrator user can run this program !");
    EXPECT_FALSE(started);
}

TEST_F(StartUp, EndsSilentlyWhenAWindowWithTheTitleExists) {
    WriteAnsi(m_dir / L"Install.ini", "[General]\r\nTitle=Already Running\r\n");
    HWND other = ::CreateWindowExW(0, L"#32770", L"Already Running", WS_POPUP | WS_VISIBLE, 0, 0,
                                   10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(other, nullptr);
    theApp.m_pfnIsUserAdministrator = NotAnAdministrator;
    // Had start-up gone on, the failing administrator check would show its message box,
    // and this call would not return.
    EXPECT_FALSE(theApp.InitInstance());
    ::DestroyWindow(other);
}

// In this process, because Wine answers WM_GETICON only to the window's own process.
TEST_F(StartUp, SheetAppearsWithTheConfiguredTitleAndTheIcon) {
    WriteAnsi(m_dir / L"Install.ini", "[General]\r\nTitle=Sheet Test\r\n");
    LRESULT bigIcon = 0;
    LRESULT smallIcon = 0;
    bool helpVisible = true;
    wchar_t aboutItem[64] = {};
    std::thread user([&] {
        HWND sheet = WaitForOwnDialog(L"Sheet Test");
        ASSERT_NE(sheet, nullptr);
        ::GetMenuStringW(::GetSystemMenu(sheet, FALSE), IDM_ABOUTBOX, aboutItem, 64, MF_BYCOMMAND);
        bigIcon = ::SendMessageW(sheet, WM_GETICON, ICON_BIG, 0);
        smallIcon = ::SendMessageW(sheet, WM_GETICON, ICON_SMALL, 0);
        helpVisible = ::IsWindowVisible(::GetDlgItem(sheet, IDHELP));
        ::PostMessageW(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
    });
    EXPECT_FALSE(theApp.InitInstance());
    user.join();
    EXPECT_NE(bigIcon, 0);
    EXPECT_NE(smallIcon, 0);
    EXPECT_FALSE(helpVisible);
    EXPECT_STREQ(aboutItem, L"&About Melvorin ...");
}

TEST(Administrator, TheUserOfTheTestsIsAnAdministrator) {
    EXPECT_TRUE(IsUserAdministrator());
}

// The Windows version Wine reports is set per executable name.
class WindowsVersion : public ::testing::TestWithParam<std::pair<const wchar_t*, const char*>> {};

TEST_P(WindowsVersion, FlagsFollowTheReportedVersion) {
    TempDir dir;
    const std::wstring version = GetParam().first;
    const std::wstring exeName = L"probe_" + version + L".exe";
    ASSERT_TRUE(::CopyFileW(HostPath(ProbePath()).c_str(), (dir / exeName).c_str(), FALSE));
    const std::wstring keyName = L"Software\\Wine\\AppDefaults\\" + exeName;
    HKEY key = nullptr;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, keyName.c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                                nullptr, &key, nullptr),
              ERROR_SUCCESS);
    ::RegSetValueExW(key, L"Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(version.c_str()),
                     static_cast<DWORD>((version.size() + 1) * sizeof(wchar_t)));
    ::RegCloseKey(key);
    std::string output = RunAndCapture(dir / exeName, dir.Path());
    ::RegDeleteKeyW(HKEY_CURRENT_USER, keyName.c_str());
    EXPECT_EQ(output, GetParam().second);
}

INSTANTIATE_TEST_SUITE_P(Wine, WindowsVersion,
                         ::testing::Values(std::make_pair(L"win2k", "nt5=1 win2000=1\r\n"),
                                           std::make_pair(L"winxp", "nt5=1 win2000=0\r\n"),
                                           std::make_pair(L"win98", "nt5=0 win2000=0\r\n"),
                                           std::make_pair(L"win10", "nt5=0 win2000=0\r\n")),
                         [](const auto& info) {
                             std::wstring name = info.param.first;
                             return std::string(name.begin(), name.end());
                         });

} // namespace
