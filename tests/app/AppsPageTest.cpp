// The application page of the real program under Wine, driven as a user drives it: the list,
// real clicks on its check boxes, the single-item rule, and Finish through the installation run
// with the setup stand-in while the wizard waits.
#include "SourcePc.h"
#include "support/MouseInput.h"
#include "support/RemoteControls.h"
#include "support/WindowDriver.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <commctrl.h>
#include <prsht.h>

namespace {

using ::testing::ElementsAre;

const int kAppsPage = 2;
const int kAppsPrompt = 1004;
const int kAppsList = 1016;
const int kFinish = 12325;

// The values of the stand-in's log lines that start with `key` and "=", in order.
std::vector<std::string> LogValues(const std::string& log, const std::string& key) {
    std::vector<std::string> values;
    for (size_t start = 0; start < log.size();) {
        size_t end = log.find('\n', start);
        if (end == std::string::npos)
            end = log.size();
        std::string line = log.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.rfind(key + "=", 0) == 0)
            values.push_back(line.substr(key.size() + 1));
        start = end + 1;
    }
    return values;
}

class AppsPageTest : public ::testing::Test {
protected:
    AppsPageTest() {
        wchar_t title[64];
        ::swprintf(title, 64, L"Melvorin apps %lu", ::GetCurrentProcessId());
        m_title = title;
    }

    // A source on D: with two applications; Word Processor has the setup stand-in and a
    // LaunchSetup command.
    void MakeSource() {
        m_pc.WriteInstallIni("[General]\r\nTitle=" + std::string(m_title.begin(), m_title.end()) +
                             "\r\nShowCmd=no\r\nTimeOut=30\r\n"
                             "[English]\r\nGetAppList=Pick one:\r\n"
                             "ONLYONEITEM=Just one, please.\r\n");
        const std::wstring root = m_pc.AddSource(L'd', "", {L"I386\\APPS\\DTA", L"I386\\WORD"});
        m_setup = root + L"\\I386\\WORD\\setup.exe";
        ASSERT_TRUE(::CopyFileW(m_pc.SetupStandinPath().c_str(), m_setup.c_str(), FALSE));
        WriteAnsi(root + L"\\I386\\APPS\\DTA\\word.dta",
                  "[App]\r\nDescription=Word Processor\r\nInstallation_Type=RunOnce\\Setup\r\n"
                  "SourceDir=WORD\r\nExe_File=setup.exe\r\nCmdLine=/s /run:1500\r\n"
                  "LaunchSetup=D:\\I386\\WORD\\setup.exe /launched\r\n");
        WriteAnsi(root + L"\\I386\\APPS\\DTA\\PAINT.DTA",
                  "[App]\r\nDescription=Paint\r\nInstallation_Type=RunOnce\r\nSourceDir=PAINT\r\n");
    }

    HWND StartOnAppsPage() {
        m_program = m_pc.StartProgram();
        HWND sheet = WaitForWindow(L"#32770", m_title, 10000, m_program->Id());
        if (!sheet)
            return nullptr;
        ::SendMessageW(sheet, PSM_PRESSBUTTON, PSBTN_NEXT, 0);
        return sheet;
    }

    SourcePc m_pc;
    std::wstring m_title;
    std::wstring m_setup;
    std::unique_ptr<ChildProcess> m_program;
};

TEST_F(AppsPageTest, OneTickedApplicationIsInstalledWhileTheWizardWaits) {
    MakeSource();
    HWND sheet = StartOnAppsPage();
    ASSERT_NE(sheet, nullptr);
    HWND page = CurrentPage(sheet);
    HWND list = ::GetDlgItem(page, kAppsList);
    ASSERT_NE(list, nullptr) << "the application page is shown";
    ASSERT_TRUE(WaitUntil([&] { return ListItemCount(list) == 2; }));
    EXPECT_EQ(ListItemText(list, 0), L"Paint");
    EXPECT_EQ(ListItemText(list, 0, 1), L"paint.dta") << "check-box mode names in lower case";
    EXPECT_EQ(ListItemText(list, 1), L"Word Processor");
    EXPECT_EQ(ItemText(page, kAppsPrompt), L"Pick one:");

    // A real click on Word's box ticks it and unticks Paint.
    SetListItemChecked(list, 0, true);
    ASSERT_TRUE(ClickListItemCheckBox(list, 1));
    EXPECT_TRUE(IsListItemChecked(list, 1));
    EXPECT_TRUE(WaitUntil([&] { return !IsListItemChecked(list, 0); }));
    HWND finish = ::GetDlgItem(sheet, kFinish);
    EXPECT_TRUE(WaitUntil([&] { return ::IsWindowEnabled(finish) != 0; }));

    // A click on Paint's text ticks nothing and leaves Finish as it is.
    const RECT label = ListItemRect(list, 0, LVIR_LABEL);
    POINT onText = {(label.left + label.right) / 2, (label.top + label.bottom) / 2};
    ::ClientToScreen(list, &onText);
    ClickAt(onText);
    ASSERT_TRUE(WaitUntil([&] {
        return ::SendMessageW(list, LVM_GETITEMSTATE, 0, LVIS_SELECTED) != 0;
    })) << "the click reached the list";
    EXPECT_TRUE(IsListItemChecked(list, 1));
    EXPECT_FALSE(IsListItemChecked(list, 0));
    EXPECT_TRUE(::IsWindowEnabled(finish));

    // Finish follows every change of a tick, by mouse or not (the space bar, for one).
    SetListItemChecked(list, 1, false);
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindowEnabled(finish); }));
    SetListItemChecked(list, 1, true);
    EXPECT_TRUE(WaitUntil([&] { return ::IsWindowEnabled(finish) != 0; }));

    // Two ticks, as the keyboard can leave them, are refused.
    SetListItemChecked(list, 0, true);
    ::PostMessageW(sheet, PSM_PRESSBUTTON, PSBTN_FINISH, 0);
    const MessageBoxSeen refusal = WaitForMessageBox(m_program->Id());
    ASSERT_NE(refusal.window, nullptr);
    EXPECT_EQ(refusal.text, L"Just one, please.");
    EXPECT_EQ(refusal.caption, m_title);
    PressButton(refusal.window, IDOK);
    ASSERT_TRUE(WaitForWindowGone(refusal.window));

    // One tick: the run starts the setup while the wizard is disabled; a second Finish and
    // Cancel during the run change nothing.
    SetListItemChecked(list, 0, false);
    ::PostMessageW(sheet, PSM_PRESSBUTTON, PSBTN_FINISH, 0);
    HWND run = WaitForInstallRun(m_title, m_program->Id());
    ASSERT_NE(run, nullptr);
    EXPECT_FALSE(::IsWindowEnabled(sheet)) << "the run is owned by the sheet";
    ::PostMessageW(sheet, PSM_PRESSBUTTON, PSBTN_FINISH, 0);
    ::PostMessageW(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
    ASSERT_TRUE(WaitForWindowGone(run, 60000));
    ASSERT_TRUE(WaitUntil([&] { return ::IsWindowEnabled(sheet) != 0; }, 30000));

    const std::string log = ReadBytes(m_setup.substr(0, m_setup.size() - 4) + L".log");
    EXPECT_THAT(LogValues(log, "cmdline"), ElementsAre("D:\\I386\\WORD\\setup.exe /s /run:1500",
                                                       "D:\\I386\\WORD\\setup.exe /launched"))
        << "the setup once, then the LaunchSetup command";
    EXPECT_THAT(LogValues(log, "show"), ElementsAre("0", "0")) << "ShowCmd=no";
    EXPECT_THAT(LogValues(log, "cwd"),
                ElementsAre(testing::StartsWith(std::string("C:\\users")), "d:\\i386\\word"))
        << "the run's setup inherits the program's directory; a command gets its own, lower-cased";

    EXPECT_EQ(CurrentPage(sheet), page) << "Finish stays on the page";
    EXPECT_FALSE(IsListItemChecked(list, 1)) << "the list is reset";
    ::PostMessageW(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
    EXPECT_TRUE(m_program->WaitForExit());
}

// The machine's install-all setting, in force while the object lives.
class InstallAllSetting {
public:
    InstallAllSetting() {
        ::CreateDirectoryW(L"C:\\Util", nullptr);
        WriteAnsi(kFile, "[Quorvane]\r\nAutoExec=On\r\n");
    }
    ~InstallAllSetting() { ::DeleteFileW(kFile); }

private:
    static constexpr const wchar_t* kFile = L"C:\\Util\\Software.ini";
};

TEST_F(AppsPageTest, InstallAllModeListsTheConfiguredApplicationsAndAClickKeepsInstallOn) {
    MakeSource();
    m_pc.WriteInstallIni("[General]\r\nTitle=" + std::string(m_title.begin(), m_title.end()) +
                         "\r\n[Data]\r\nDtaFile2=Word.dta\r\nDtaFile7=PAINT.DTA\r\n"
                         "[English]\r\nInstallApp=All of these:\r\n");
    InstallAllSetting installAll;
    HWND sheet = StartOnAppsPage();
    ASSERT_NE(sheet, nullptr);
    HWND page = CurrentPage(sheet);
    HWND list = ::GetDlgItem(page, kAppsList);
    ASSERT_NE(list, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return ListItemCount(list) == 2; }));
    EXPECT_EQ(ListItemText(list, 1, 1), L"Word.dta") << "the names as Install.ini writes them";
    EXPECT_EQ(ListItemText(list, 0, 1), L"PAINT.DTA");
    EXPECT_EQ(ItemText(page, kAppsPrompt), L"All of these:");
    EXPECT_EQ(::SendMessageW(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & LVS_EX_CHECKBOXES, 0);

    HWND finish = ::GetDlgItem(sheet, kFinish);
    ASSERT_TRUE(WaitUntil([&] { return ::IsWindowEnabled(finish) != 0; }));
    const RECT row = ListItemRect(list, 0, LVIR_LABEL);
    POINT onItem = {(row.left + row.right) / 2, (row.top + row.bottom) / 2};
    ::ClientToScreen(list, &onItem);
    ClickAt(onItem);
    ::Sleep(300);
    EXPECT_TRUE(::IsWindowEnabled(finish)) << "a click never disables Install";
    ::PostMessageW(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
    EXPECT_TRUE(m_program->WaitForExit());
}

} // namespace
