// The real program, started under Wine in a directory of its own and driven from this
// process as a user would.
#include "resources/resource.h"
#include "support/FileBytes.h"
#include "support/TempDir.h"
#include "support/WindowDriver.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <memory>

namespace {

class WizardStart : public ::testing::Test {
protected:
    void SetUp() override {
        WriteAnsi(m_dir / L"Install.ini", "[General]\r\nTitle=Start Test\r\n");
        ASSERT_TRUE(
            ::CopyFileW(HostPath(MELVORIN_EXE).c_str(), (m_dir / L"Melvorin.exe").c_str(), FALSE));
    }

    std::unique_ptr<ChildProcess> Start() const {
        auto program = std::make_unique<ChildProcess>(m_dir / L"Melvorin.exe", m_dir.Path());
        EXPECT_TRUE(program->Started());
        return program;
    }

    // Ends the wizard with its Cancel button and waits for the program to end.
    static void Quit(HWND sheet, const ChildProcess& program) {
        ::PostMessageW(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
        EXPECT_TRUE(program.WaitForExit());
    }

    TempDir m_dir;
};

TEST_F(WizardStart, ASecondStartEndsAtOnceWithoutASecondWindow) {
    auto first = Start();
    HWND sheet = WaitForWindow(L"#32770", L"Start Test", 10000, first->Id());
    ASSERT_NE(sheet, nullptr);
    auto second = Start();
    EXPECT_TRUE(second->WaitForExit());
    EXPECT_EQ(FindWindows(L"#32770", L"Start Test").size(), 1u);
    Quit(sheet, *first);
}

TEST_F(WizardStart, AboutBoxFromTheSystemMenuShowsTheVersionText) {
    auto program = Start();
    HWND sheet = WaitForWindow(L"#32770", L"Start Test", 10000, program->Id());
    ASSERT_NE(sheet, nullptr);
    ::PostMessageW(sheet, WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
    HWND about = WaitForWindow(L"#32770", L"About Melvorin", 10000, program->Id());
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(ItemText(about, IDC_ABOUT_VERSION), L"Version 2.0E");
    ::PostMessageW(about, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(WaitForWindowGone(about));
    Quit(sheet, *program);
}

} // namespace
