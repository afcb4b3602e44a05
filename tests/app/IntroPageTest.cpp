#include "SourcePc.h"
#include "support/WindowDriver.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <commctrl.h>
#include <prsht.h>

namespace {

using ::testing::Contains;
using ::testing::ElementsAre;

// Dialog and control ids of the program, as a user meets them.
const int kApps = 1000;
const int kFileRestore = 1001;
const int kDrivers = 1011;
const int kAppsComment = 1004;
const int kDriversComment = 1007;
const int kFileRestoreComment = 1005;
const int kIntro1 = 1006;
const int kIntro2 = 1008;
const int kOption = 1002;
const int kJumpToRestore = 1012;
const int kBack = 12323;
const int kNext = 12324;
const int kFinish = 12325;
const int kAboutBox = 0x0010;
const int kAboutVersion = 1020;

// Page positions in the sheet.
const int kIntroPage = 0;
const int kFileRestorePage = 1;
const int kAppsPage = 2;
const int kDriversPage = 3;

// Complete texts in German; English lacks Intro2 and Driver, which then come from the
// program's string table.
const char kLanguages[] = "[Deutsch]\r\n"
                          "Intro1=Dieses Programm installiert Anwendungen und Treiber neu.\r\n"
                          "Intro2=Bitte lesen Sie zuerst die Hilfe.\r\n"
                          "Option=Bitte waehlen Sie:\r\n"
                          "AppsComment=Installiert die Anwendungen neu.\r\n"
                          "FileRestoreComment=Stellt Windows-Dateien wieder her.\r\n"
                          "DriverComment=Installiert die Treiber neu.\r\n"
                          "Apps=Anwendungen\r\n"
                          "FileRestore=Dateien\r\n"
                          "Driver=Treiber\r\n"
                          "Next=Weiter\r\n"
                          "Exit=Beenden\r\n"
                          "Finish=Installieren\r\n"
                          "Back=Zurueck\r\n"
                          "About_VerString=Fassung 2.0E\r\n"
                          "[English]\r\n"
                          "Intro1=Reinstall what came with your PC.\r\n"
                          "Apps=Applications\r\n"
                          "Next=Onward\r\n";

// The real program under Wine, started in the simulated PC's program directory and driven as a
// user would drive it.
class IntroPageTest : public ::testing::Test {
protected:
    IntroPageTest() {
        wchar_t title[64];
        ::swprintf(title, 64, L"Melvorin test %lu", ::GetCurrentProcessId());
        m_title = title;
    }

    void WriteInstallIni(const std::string& general) {
        m_pc.WriteInstallIni("[General]\r\nTitle=" + std::string(m_title.begin(), m_title.end()) +
                             "\r\nDefaultLangDisplay=English\r\n" + general + kLanguages);
    }

    // Starts the wizard and waits for its sheet.
    HWND StartWizard() {
        m_program = m_pc.StartProgram();
        EXPECT_TRUE(m_program->Started());
        HWND sheet = WaitForWindow(L"#32770", m_title);
        EXPECT_NE(sheet, nullptr) << "the wizard did not appear";
        return sheet;
    }

    void Quit(HWND sheet) {
        // Posted: the sheet's modal loop notices its end only after a posted message.
        ::PostMessageW(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
        EXPECT_TRUE(m_program->WaitForExit());
    }

    static int PageIndex(HWND sheet) {
        return static_cast<int>(::SendMessageW(sheet, PSM_HWNDTOINDEX,
                                               reinterpret_cast<WPARAM>(CurrentPage(sheet)), 0));
    }
    static int Next(HWND sheet) {
        ::SendMessageW(sheet, PSM_PRESSBUTTON, PSBTN_NEXT, 0);
        return PageIndex(sheet);
    }
    static int Back(HWND sheet) {
        ::SendMessageW(sheet, PSM_PRESSBUTTON, PSBTN_BACK, 0);
        return PageIndex(sheet);
    }

    // Enabled, visible and checked, as letters: "evc", "e--", "-v-" ...
    static std::string State(HWND page, int id) {
        HWND control = ::GetDlgItem(page, id);
        std::string state;
        state += ::IsWindowEnabled(control) ? 'e' : '-';
        state += ::IsWindowVisible(control) ? 'v' : '-';
        state += ::SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED ? 'c' : '-';
        return state;
    }

    SourcePc m_pc;
    std::wstring m_title;
    std::unique_ptr<ChildProcess> m_program;
};

TEST_F(IntroPageTest, ShowsTheSourcesLanguageAndOffersWhatTheSourceHas) {
    WriteInstallIni("");
    m_pc.AddSource(L'd', "Deutsch", {L"I386\\APPS", L"I386\\DRV", L"Preload"});
    HWND sheet = StartWizard();
    ASSERT_NE(sheet, nullptr);
    HWND page = CurrentPage(sheet);

    EXPECT_EQ(ItemText(page, kIntro1), L"Dieses Programm installiert Anwendungen und Treiber neu.");
    EXPECT_EQ(ItemText(page, kIntro2), L"Bitte lesen Sie zuerst die Hilfe.");
    EXPECT_EQ(ItemText(page, kOption), L"Bitte waehlen Sie:");
    EXPECT_EQ(ItemText(page, kApps), L"Anwendungen");
    EXPECT_EQ(ItemText(page, kDrivers), L"Treiber");
    EXPECT_EQ(ItemText(page, kDriversComment), L"Installiert die Treiber neu.");
    EXPECT_EQ(ItemText(sheet, kNext), L"Weiter >");
    EXPECT_EQ(ItemText(sheet, IDCANCEL), L"Beenden");
    EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(sheet, kBack)));

    EXPECT_EQ(State(page, kApps), "evc");
    EXPECT_EQ(State(page, kDrivers), "ev-");
    EXPECT_EQ(State(page, kFileRestore), "e--") << "file restore is offered only by 1012";
    EXPECT_EQ(State(page, kFileRestoreComment).substr(0, 2), "e-");
    EXPECT_THAT(m_pc.ToolCalls(), ::testing::IsEmpty());

    EXPECT_EQ(Next(sheet), kAppsPage);
    EXPECT_EQ(Back(sheet), kIntroPage) << "Back from a catalogue page leads to the intro page";
    EXPECT_EQ(Next(sheet), kAppsPage);
    Quit(sheet);
}

TEST_F(IntroPageTest, TheAboutBoxShowsTheVersionTextOfTheLanguage) {
    WriteInstallIni("");
    m_pc.AddSource(L'd', "Deutsch", {L"I386\\APPS"});
    HWND sheet = StartWizard();
    ASSERT_NE(sheet, nullptr);

    ::PostMessageW(sheet, WM_SYSCOMMAND, kAboutBox, 0);
    HWND about = WaitForWindow(L"#32770", L"About Melvorin");
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(ItemText(about, kAboutVersion), L"Fassung 2.0E");
    ::PostMessageW(about, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(WaitForWindowGone(about));
    Quit(sheet);
}

TEST_F(IntroPageTest, TextsMissingFromTheLanguageSectionComeFromTheStringTable) {
    WriteInstallIni("");
    m_pc.AddSource(L'd', "Klingon", {L"I386\\APPS"});
    HWND sheet = StartWizard();
    ASSERT_NE(sheet, nullptr);
    HWND page = CurrentPage(sheet);

    EXPECT_EQ(ItemText(page, kIntro1), L"Reinstall what came with your PC.");
    EXPECT_EQ(ItemText(page, kIntro2), L" ");
    EXPECT_EQ(ItemText(page, kApps), L"Applications");
    EXPECT_EQ(ItemText(page, kDrivers), L"Driver Installation");
    EXPECT_EQ(ItemText(page, kAppsComment),
              L"This option reinstalls the applications shipped with your PC.");
    EXPECT_EQ(ItemText(sheet, kNext), L"Onward >");
    EXPECT_EQ(ItemText(sheet, IDCANCEL), L"Quit");
    Quit(sheet);
}

TEST_F(IntroPageTest, TheHiddenButtonLeadsToTheFileRestorePageOnce) {
    WriteInstallIni("");
    m_pc.AddSource(L'd', "", {L"I386\\APPS", L"I386\\DRV"});
    HWND sheet = StartWizard();
    ASSERT_NE(sheet, nullptr);
    HWND page = CurrentPage(sheet);

    ::SendMessageW(::GetDlgItem(page, kDrivers), BM_CLICK, 0, 0);
    EXPECT_EQ(State(page, kDrivers), "evc");
    EXPECT_EQ(State(page, kApps), "ev-");

    ::SendMessageW(page, WM_COMMAND, MAKEWPARAM(kJumpToRestore, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(page, kJumpToRestore)));
    EXPECT_EQ(PageIndex(sheet), kFileRestorePage);
    EXPECT_TRUE(::IsWindowVisible(::GetDlgItem(sheet, kBack)));

    ASSERT_EQ(Back(sheet), kIntroPage);
    EXPECT_EQ(Next(sheet), kDriversPage) << "the chosen option counts again";
    Quit(sheet);
}

// The texts of a message box's controls.
std::vector<std::wstring> ChildTexts(HWND window) {
    std::vector<std::wstring> texts;
    for (HWND child = ::GetWindow(window, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
        texts.push_back(WindowText(child));
    return texts;
}

TEST_F(IntroPageTest, WithoutARecoverySourceTheWizardEndsWithTheNoRecoveryPartMessage) {
    WriteInstallIni("NoRecoveryPart=No recovery source here.\r\n");
    m_program = m_pc.StartProgram();
    HWND box = WaitForWindow(L"#32770", m_title);
    ASSERT_NE(box, nullptr);
    EXPECT_THAT(ChildTexts(box), Contains(L"No recovery source here."));
    ::PostMessageW(box, WM_COMMAND, IDOK, 0);

    EXPECT_TRUE(m_program->WaitForExit()) << "the wizard ended by itself";
    EXPECT_EQ(m_pc.ToolCalls().front(), ExposeCall(m_pc));
}

// The application page searches again and finds the partition hidden, so it exposes it once
// more; Cancel reaches every page the wizard has shown, and the intro page and the application
// page each hide the partition again.
TEST_F(IntroPageTest, TheTimerNextAndCancelEachHideTheExposedPartitionAgain) {
    WriteInstallIni("Unhide_recovery_timer=abc\r\n");
    m_pc.AddHiddenPartition("Deutsch");
    HWND sheet = StartWizard();
    ASSERT_NE(sheet, nullptr);
    HWND page = CurrentPage(sheet);
    EXPECT_EQ(ItemText(page, kApps), L"Anwendungen") << "the language of Z:'s Master.log";

    // "abc" is 0 milliseconds: the timer fires at once.
    WaitUntil([&] { return m_pc.ToolCalls().size() >= 2; }, 5000);
    EXPECT_FALSE(m_pc.PartitionShown());
    EXPECT_EQ(Next(sheet), kAppsPage);
    EXPECT_EQ(ItemText(sheet, kFinish), L"Installieren") << "the catalogue frame's texts";
    EXPECT_EQ(ItemText(sheet, kBack), L"< Zurueck");
    EXPECT_EQ(ItemText(sheet, IDCANCEL), L"Beenden");
    EXPECT_TRUE(::IsWindowVisible(::GetDlgItem(sheet, kBack)));
    Quit(sheet);

    EXPECT_THAT(m_pc.ToolCalls(),
                ElementsAre(ExposeCall(m_pc), ReleaseCall(m_pc), ReleaseCall(m_pc),
                            ExposeCall(m_pc), ReleaseCall(m_pc), ReleaseCall(m_pc)));
}

} // namespace
