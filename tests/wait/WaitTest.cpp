#include "wait/StandinFixture.h"
#include "wait/Processes.h"
#include "wait/WaitWnd.h"
#include "support/WindowDriver.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

// Ticks of a tenth of a second: the schedule of the real one-second timer, ten times faster.
// The time limit stays in whole seconds.
const UINT kTick = 100;

class SetupWait : public ::testing::Test {
protected:
    // Runs the setup stand-in from the test's directory to its end; returns the id of the
    // child it left running, or 0.
    DWORD RunSetup(const std::wstring& arguments) {
        std::wstring setup = CopyProgram(StandinPath(L"setup.exe"), m_dir, L"setup.exe");
        ChildProcess process(L"\"" + setup + L"\" " + arguments, m_dir.Path());
        EXPECT_TRUE(process.Started());
        EXPECT_TRUE(process.WaitForExit());
        std::wstring child = LogValue(m_dir / L"setup.log", "child");
        return child.empty() ? 0 : std::stoul(child);
    }

    TempDir m_dir;
    HiddenParent m_parent;
};

TEST_F(SetupWait, SetupWhoseProcessesHaveEndedIsNoticedAtTheFirstTick) {
    int before = CountProcesses();
    ASSERT_GT(before, 0);
    EXPECT_EQ(RunSetup(L"/q"), 0u);
    EXPECT_EQ(LogValue(m_dir / L"setup.log", "cwd"), m_dir.Path().wstring());

    SetupWaitResult result = WaitForSetupProcesses(m_parent, before, 0, 60, kTick);
    EXPECT_TRUE(result.bProcessesFinished);
    EXPECT_FALSE(result.bVorqFound);
    EXPECT_EQ(result.nTicks, 1);
}

TEST_F(SetupWait, LingeringChildKeepsTheWaitUntilItEnds) {
    int before = CountProcesses();
    DWORD childId = RunSetup(L"/linger:1500");
    ASSERT_NE(childId, 0u);
    ProcessHandle child(childId);
    ASSERT_TRUE(child.IsOpen());

    SetupWaitResult result = WaitForSetupProcesses(m_parent, before, 0, 60, kTick);
    EXPECT_TRUE(result.bProcessesFinished);
    EXPECT_FALSE(result.bVorqFound);
    EXPECT_TRUE(child.HasEnded());
    // After the fourth tick only every fourth one tests again.
    EXPECT_GE(result.nTicks, 8);
    EXPECT_EQ(result.nTicks % 4, 0);
}

TEST_F(SetupWait, TimeLimitEndsTheWaitForALingeringChild) {
    int before = CountProcesses();
    DWORD childId = RunSetup(L"/linger:20000");
    ASSERT_NE(childId, 0u);
    ProcessHandle child(childId);
    ASSERT_TRUE(child.IsOpen());

    SetupWaitResult result = WaitForSetupProcesses(m_parent, before, 0, 1, kTick);
    EXPECT_FALSE(result.bProcessesFinished);
    EXPECT_FALSE(result.bVorqFound);
    EXPECT_FALSE(child.HasEnded());
}

TEST_F(SetupWait, VorqEndsTheWaitForALingeringChild) {
    int before = CountProcesses();
    DWORD childId = RunSetup(L"/linger:20000");
    ProcessHandle child(childId);
    ChildProcess vorq(L"\"" + StandinPath(L"vorq.exe") + L"\" 20000", m_dir.Path());
    ASSERT_TRUE(WaitUntil([] { return IsProcessRunning(L"vorq.exe") == 1; }));

    SetupWaitResult result = WaitForSetupProcesses(m_parent, before, 0, 60, kTick);
    EXPECT_TRUE(result.bVorqFound);
    EXPECT_FALSE(result.bProcessesFinished);
    EXPECT_EQ(result.nTicks, 1);
}

// A count that would always have fallen back shows whether the count was taken. The limit is
// one second, not none: the time is read in whole seconds, so a limit of none ends at the first
// tick whenever a second begins before it.
TEST_F(SetupWait, VorqOnlyNeverLooksAtTheCount) {
    SetupWaitResult untilLimit = WaitForSetupProcesses(m_parent, INT_MAX, 1, 1, kTick);
    EXPECT_FALSE(untilLimit.bProcessesFinished);
    EXPECT_FALSE(untilLimit.bVorqFound);
    EXPECT_GT(untilLimit.nTicks, 1);

    ChildProcess vorq(L"\"" + StandinPath(L"vorq.exe") + L"\" 20000", m_dir.Path());
    ASSERT_TRUE(WaitUntil([] { return IsProcessRunning(L"vorq.exe") == 1; }));
    SetupWaitResult untilVorq = WaitForSetupProcesses(m_parent, INT_MAX, 1, 60, kTick);
    EXPECT_TRUE(untilVorq.bVorqFound);
    EXPECT_FALSE(untilVorq.bProcessesFinished);
    EXPECT_EQ(untilVorq.nTicks, 1);
}

TEST_F(SetupWait, SecondWaitLastsAsLongAsVorqRuns) {
    ChildProcess vorq(L"\"" + StandinPath(L"vorq.exe") + L"\" 1500", m_dir.Path());
    ASSERT_TRUE(WaitUntil([] { return IsProcessRunning(L"vorq.exe") == 1; }));
    WaitWhileVorqRuns(m_parent, kTick);
    EXPECT_TRUE(vorq.WaitForExit(0));

    // Without vorq.exe it ends at its first tick.
    DWORD start = ::GetTickCount();
    WaitWhileVorqRuns(m_parent, kTick);
    EXPECT_LT(::GetTickCount() - start, 10 * kTick);
}

TEST_F(SetupWait, WaitWindowIsAnEmptyHiddenChild) {
    CWaitWnd2 window;
    ASSERT_TRUE(window.Create(WS_CHILD, 0, m_parent));
    EXPECT_EQ(::GetParent(window), static_cast<HWND>(m_parent));
    EXPECT_FALSE(window.IsWindowVisible());
    RECT rect;
    ::GetWindowRect(window, &rect);
    EXPECT_EQ(rect.right - rect.left, 0);
    EXPECT_EQ(rect.bottom - rect.top, 0);
    EXPECT_TRUE(window.DestroyWindow());
}

} // namespace
