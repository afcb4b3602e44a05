#include "wait/StandinFixture.h"
#include "wait/Processes.h"
#include "support/WindowDriver.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <vector>

namespace {

class Processes : public ::testing::Test {
protected:
    // Starts a copy of the vorq.exe stand-in under another name, running for 20 seconds.
    std::unique_ptr<ChildProcess> Start(const std::wstring& name) {
        std::wstring program = CopyProgram(StandinPath(L"vorq.exe"), m_dir, name);
        return std::make_unique<ChildProcess>(L"\"" + program + L"\" 20000", m_dir.Path());
    }

    TempDir m_dir;
};

TEST_F(Processes, NtPlatformComparesTheWholeBaseNameIgnoringCase) {
    EXPECT_EQ(IsProcessRunning(L"vorq.exe"), 0);
    auto other = Start(L"xvorq.exe");
    ASSERT_TRUE(WaitUntil([] { return IsProcessRunning(L"xvorq.exe") == 1; }));
    EXPECT_EQ(IsProcessRunning(L"vorq.exe"), 0);

    auto upper = Start(L"VORQ.EXE");
    EXPECT_TRUE(WaitUntil([] { return IsProcessRunning(L"vorq.exe") == 1; }));
}

// More processes than the first array of ids holds, so that it has to grow: each one is
// counted and examined, and the handles opened to examine them are closed again.
TEST_F(Processes, EveryProcessIsCountedAndExamined) {
    int before = CountProcesses();
    std::vector<std::unique_ptr<ChildProcess>> fillers;
    for (int i = 0; i < 40; ++i)
        fillers.push_back(Start(L"filler.exe"));
    auto vorq = Start(L"vorq.exe");
    ASSERT_TRUE(WaitUntil([] { return IsProcessRunning(L"vorq.exe") == 1; }));
    EXPECT_GE(CountProcesses(), before + 41);

    DWORD handlesBefore = 0;
    DWORD handlesAfter = 0;
    ::GetProcessHandleCount(::GetCurrentProcess(), &handlesBefore);
    for (int i = 0; i < 5; ++i)
        IsProcessRunning(L"none.exe");
    ::GetProcessHandleCount(::GetCurrentProcess(), &handlesAfter);
    EXPECT_EQ(handlesAfter, handlesBefore);
}

// Wine reports Windows 98 to a program named in its AppDefaults.
class OtherPlatform : public Processes {
protected:
    void SetUp() override {
        ::RegCreateKeyExW(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &m_key,
                          nullptr);
        const wchar_t version[] = L"win98";
        ::RegSetValueExW(m_key, L"Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(version),
                         sizeof(version));
        m_probe = CopyProgram(ProbePath(), m_dir, L"process_probe98.exe");
    }
    void TearDown() override {
        ::RegCloseKey(m_key);
        ::RegDeleteKeyW(HKEY_CURRENT_USER, kKey);
    }
    std::string Probe(const std::wstring& name) {
        return RunAndCapture(L"\"" + m_probe + L"\" " + name, m_dir.Path());
    }

    static constexpr const wchar_t* kKey = L"Software\\Wine\\AppDefaults\\process_probe98.exe";
    HKEY m_key = nullptr;
    std::wstring m_probe;
};

TEST_F(OtherPlatform, CountsThroughTheSnapshotAndMatchesPartOfThePath) {
    auto other = Start(L"xvorq.exe");
    ASSERT_TRUE(WaitUntil([] { return IsProcessRunning(L"xvorq.exe") == 1; }));
    unsigned long platform = 0;
    int count = 0;
    int running = -2;
    std::string report = Probe(L"vorq.exe");
    ASSERT_EQ(std::sscanf(report.c_str(), "platform=%lu count=%d running=%d", &platform, &count,
                          &running),
              3)
        << report;
    EXPECT_EQ(platform, DWORD(VER_PLATFORM_WIN32_WINDOWS));
    // At least the probe, this test and the stand-in.
    EXPECT_GE(count, 3);
    // "xvorq.exe" contains "vorq.exe"; on the NT platform it would not count.
    EXPECT_EQ(running, 1);
    EXPECT_NE(Probe(L"nothing.exe").find("running=0"), std::string::npos);
}

} // namespace
