#include "common/CommandRunner.h"
#include "common/CurrentDir.h"
#include "support/FileBytes.h"
#include "support/TempDir.h"
#include "support/WindowDriver.h"

#include <gtest/gtest.h>

namespace {

bool SamePath(const std::wstring& a, const std::wstring& b) {
    return ::lstrcmpiW(a.c_str(), b.c_str()) == 0;
}

TEST(CommandWorkingDirectory, FollowsTheProgramsPlaceInTheCommandLine) {
    EXPECT_EQ(CommandWorkingDirectory(L"Z:\\INSTALL.DLL Z:"), L"z:\\");
    EXPECT_EQ(CommandWorkingDirectory(L"C:\\Tools\\INSTALL.DLL"), L"c:\\tools");
    EXPECT_EQ(CommandWorkingDirectory(L"C:\\v1.2\\Setup.EXE /s"), L"c:\\v1.2");
    EXPECT_EQ(CommandWorkingDirectory(L"C:\\my.dir\\run.bat arg"), L"c:\\my.dir");
    EXPECT_EQ(CommandWorkingDirectory(L"C:\\my.dir\\run.cmd"), L"c:\\my.dir");
    // The first "." decides when no known extension occurs, even a dot in a directory name.
    EXPECT_EQ(CommandWorkingDirectory(L"C:\\a.b\\c\\tool.dll"), L"c:\\a.b");
}

TEST(CommandWorkingDirectory, WithoutADrivePathItIsTheCurrentDirectory) {
    EXPECT_EQ(CommandWorkingDirectory(L"setup.exe /s"), GetCurrentDir());
}

TEST(CommandWorkingDirectory, WithoutAnyDotItIsLeftToTheProcess) {
    EXPECT_EQ(CommandWorkingDirectory(L"C:\\tools\\setup"), L"");
}

TEST(CommandWorkingDirectory, AQuotedProgramPathLosesItsQuote) {
    EXPECT_EQ(CommandWorkingDirectory(L"\"C:\\Program Files\\App\\setup.exe\" /s"),
              L"c:\\program files\\app");
}

// The partition tool's stand-in, copied where a test needs it, records each call (command
// line, tab, working directory) in the log that its settings name.
class RunCommandTest : public ::testing::Test {
protected:
    std::wstring Log() const { return m_temp / L"calls.log"; }

    void PlaceStandIn(const std::wstring& path) {
        ASSERT_TRUE(::CopyFileW(HostPath(MELVORIN_PARTITION_TOOL).c_str(), path.c_str(), FALSE));
        ASSERT_TRUE(::WritePrivateProfileStringW(L"Partition", L"Log", Log().c_str(),
                                                 (path + L".ini").c_str()));
        m_placed.push_back(path);
    }

    // The one recorded call: command line and working directory.
    std::pair<std::string, std::string> RecordedCall() const {
        std::string log = ReadBytes(Log());
        const size_t tab = log.find('\t');
        const size_t end = log.find("\r\n");
        EXPECT_NE(tab, std::string::npos);
        EXPECT_EQ(end + 2, log.size()) << "exactly one call";
        return {log.substr(0, tab), log.substr(tab + 1, end - tab - 1)};
    }

    static std::string Narrow(const std::wstring& text) {
        return std::string(text.begin(), text.end());
    }

    void TearDown() override {
        for (const std::wstring& path : m_placed) {
            ::DeleteFileW(path.c_str());
            ::DeleteFileW((path + L".ini").c_str());
        }
    }

    TempDir m_temp;
    std::vector<std::wstring> m_placed;
};

TEST_F(RunCommandTest, AProgramInADriveRootRunsInThatRoot) {
    wchar_t name[64];
    ::swprintf(name, 64, L"C:\\mlvrun%lu_%lu.exe", ::GetCurrentProcessId(), ::GetTickCount());
    PlaceStandIn(name);

    RunCommand(std::wstring(name) + L" Z:", SW_HIDE, true);

    auto [line, dir] = RecordedCall();
    EXPECT_EQ(line, Narrow(name) + " Z:");
    EXPECT_TRUE(SamePath(std::wstring(dir.begin(), dir.end()), L"C:\\"));
}

TEST_F(RunCommandTest, AProgramNamedDllRunsInItsOwnDirectoryWithItsArguments) {
    ::CreateDirectoryW((m_temp / L"Tools").c_str(), nullptr);
    PlaceStandIn(m_temp / L"Tools\\INSTALL.DLL");

    RunCommand(m_temp / L"Tools\\INSTALL.DLL Z:", SW_HIDE, true);

    auto [line, dir] = RecordedCall();
    EXPECT_EQ(line, Narrow(m_temp / L"Tools\\INSTALL.DLL Z:")) << "case and arguments kept";
    EXPECT_TRUE(SamePath(std::wstring(dir.begin(), dir.end()), m_temp / L"Tools"));
}

TEST_F(RunCommandTest, ACommandLineWithoutDrivePathRunsInTheCurrentDirectory) {
    PlaceStandIn(m_temp / L"standin.exe");
    ::CreateDirectoryW((m_temp / L"elsewhere").c_str(), nullptr);
    wchar_t saved[MAX_PATH];
    ::GetCurrentDirectoryW(MAX_PATH, saved);
    ::SetCurrentDirectoryW(m_temp.Path().c_str());

    RunCommand(L"standin.exe", SW_HIDE, true);
    ::SetCurrentDirectoryW(saved);

    auto [line, dir] = RecordedCall();
    EXPECT_TRUE(SamePath(std::wstring(dir.begin(), dir.end()), m_temp.Path()));
}

TEST_F(RunCommandTest, ABatchFileBehindADottedDirectoryRunsInTheBatchFilesDirectory) {
    const std::wstring dir = m_temp / L"my.dir";
    ::CreateDirectoryW(dir.c_str(), nullptr);
    WriteBytes(dir + L"\\where.bat", "@cd > where.txt\r\n");

    RunCommand(dir + L"\\where.bat", SW_HIDE, true);

    // The batch file has ended when RunCommand returns, so its output is complete.
    std::string where = ReadBytes(dir + L"\\where.txt");
    while (!where.empty() && (where.back() == '\r' || where.back() == '\n'))
        where.pop_back();
    EXPECT_TRUE(SamePath(std::wstring(where.begin(), where.end()), dir));
}

TEST_F(RunCommandTest, AProgramThatCannotStartIsPassedOver) {
    RunCommand(m_temp / L"missing.exe", SW_HIDE, true);
    EXPECT_FALSE(::GetFileAttributesW(Log().c_str()) != INVALID_FILE_ATTRIBUTES);
}

// A program that sends a message to every top-level window waits until this thread's windows
// have taken it too: the dispatching wait answers, so both go on.
TEST_F(RunCommandTest, TheDispatchingWaitAnswersAProgramThatBroadcasts) {
    HWND window = ::CreateWindowExW(0, L"STATIC", L"broadcast target", WS_POPUP, 0, 0, 10, 10,
                                    nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    const std::wstring setup = m_temp / L"setup.exe";
    ASSERT_TRUE(::CopyFileW(HostPath(MELVORIN_SETUP_STANDIN).c_str(), setup.c_str(), FALSE));

    RunCommandDispatching(L"\"" + setup + L"\" /broadcast", SW_HIDE);
    ::DestroyWindow(window);
    EXPECT_NE(ReadBytes(m_temp / L"setup.log").find("broadcast=done"), std::string::npos);
}

} // namespace
