// The restart for the restart question's OK, with a stand-in for the platform's ExitWindowsEx
// so that the Wine session goes on.
#include "common/RestartWindows.h"
#include "support/WindowDriver.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace {

LUID ShutdownPrivilege() {
    LUID luid = {};
    ::LookupPrivilegeValueW(nullptr, SE_SHUTDOWN_NAME, &luid);
    return luid;
}

bool IsShutdownPrivilegeEnabled() {
    HANDLE token = nullptr;
    if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, &token))
        return false;
    DWORD size = 0;
    ::GetTokenInformation(token, TokenPrivileges, nullptr, 0, &size);
    std::vector<BYTE> buffer(size);
    bool enabled = false;
    if (::GetTokenInformation(token, TokenPrivileges, buffer.data(), size, &size)) {
        const auto* privileges = reinterpret_cast<const TOKEN_PRIVILEGES*>(buffer.data());
        const LUID shutdown = ShutdownPrivilege();
        for (DWORD i = 0; i < privileges->PrivilegeCount; ++i) {
            const LUID_AND_ATTRIBUTES& privilege = privileges->Privileges[i];
            if (privilege.Luid.LowPart == shutdown.LowPart &&
                privilege.Luid.HighPart == shutdown.HighPart)
                enabled = (privilege.Attributes & SE_PRIVILEGE_ENABLED) != 0;
        }
    }
    ::CloseHandle(token);
    return enabled;
}

void DisableShutdownPrivilege() {
    HANDLE token = nullptr;
    ASSERT_TRUE(::OpenProcessToken(::GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES, &token));
    TOKEN_PRIVILEGES privileges = {};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Luid = ShutdownPrivilege();
    privileges.Privileges[0].Attributes = 0;
    EXPECT_TRUE(::AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr));
    ::CloseHandle(token);
    ASSERT_FALSE(IsShutdownPrivilegeEnabled());
}

// What the stand-in of ExitWindowsEx was asked, and what it answers.
struct ExitCalls {
    int count = 0;
    UINT flags = 0;
    bool privilegeEnabled = false;
    BOOL result = TRUE;
};
ExitCalls g_exits;

BOOL WINAPI RecordExit(UINT flags, DWORD) {
    ++g_exits.count;
    g_exits.flags = flags;
    g_exits.privilegeEnabled = IsShutdownPrivilegeEnabled();
    if (!g_exits.result)
        ::SetLastError(ERROR_PRIVILEGE_NOT_HELD);
    return g_exits.result;
}

// Answers every message box that `owner` gets with OK, and keeps what it saw.
class MessageBoxWatcher {
public:
    explicit MessageBoxWatcher(HWND owner)
        : m_thread([this, owner] {
              WaitUntil(
                  [&] {
                      MessageBoxSeen box = WaitForMessageBox(::GetCurrentProcessId(), owner, 0);
                      if (box.window) {
                          m_seen.push_back(box);
                          PressButton(box.window, IDOK);
                          WaitForWindowGone(box.window);
                      }
                      return m_stop.load();
                  },
                  60000);
          }) {}
    ~MessageBoxWatcher() { Stop(); }

    const std::vector<MessageBoxSeen>& Stop() {
        m_stop = true;
        if (m_thread.joinable())
            m_thread.join();
        return m_seen;
    }

private:
    std::atomic<bool> m_stop{false};
    std::vector<MessageBoxSeen> m_seen;
    std::thread m_thread;
};

class RestartWindowsTest : public testing::Test {
protected:
    void SetUp() override {
        g_exits = {};
        m_owner = ::CreateWindowExW(0, L"STATIC", L"Restart owner", WS_OVERLAPPED, 0, 0, 100, 100,
                                    nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(m_owner, nullptr);
        DisableShutdownPrivilege();
    }
    void TearDown() override { ::DestroyWindow(m_owner); }

    HWND m_owner = nullptr;
};

TEST_F(RestartWindowsTest, TheShutdownPrivilegeIsEnabledBeforeTheRestart) {
    MessageBoxWatcher watcher(m_owner);
    EXPECT_TRUE(RestartWindows(m_owner, L"Melvorin", RecordExit));
    EXPECT_TRUE(watcher.Stop().empty());
    EXPECT_EQ(g_exits.count, 1);
    EXPECT_EQ(g_exits.flags, UINT(EWX_REBOOT));
    EXPECT_TRUE(g_exits.privilegeEnabled);
}

TEST_F(RestartWindowsTest, ARestartThatFailsIsReportedInABoxOfTheOwner) {
    g_exits.result = FALSE;
    MessageBoxWatcher watcher(m_owner);
    EXPECT_FALSE(RestartWindows(m_owner, L"Recovery title", RecordExit));
    const std::vector<MessageBoxSeen>& seen = watcher.Stop();
    EXPECT_EQ(g_exits.count, 1);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].caption, L"Recovery title");
    EXPECT_EQ(seen[0].text, L"Windows could not be restarted. Please restart it yourself.");
}

} // namespace
