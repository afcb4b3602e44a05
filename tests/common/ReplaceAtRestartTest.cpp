// Replacing a file at the next restart, up to the registration, with a stand-in for the
// platform's delayed move; the restart itself is tested by the Wine-session step (RestartProbe).
#include "common/ReplaceAtRestart.h"
#include "common/RebootFlag.h"
#include "support/FileBytes.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <stdexcept>
#include <vector>

namespace {

namespace fs = std::filesystem;

// What the stand-in of MoveFileExW was asked, and what it answers.
struct MoveCalls {
    int count = 0;
    std::wstring existing;
    std::wstring newName;
    DWORD flags = 0;
    BOOL result = TRUE;
};
MoveCalls g_moves;

BOOL WINAPI RecordMove(LPCWSTR existing, LPCWSTR newName, DWORD flags) {
    ++g_moves.count;
    g_moves.existing = existing;
    g_moves.newName = newName ? newName : L"";
    g_moves.flags = flags;
    if (!g_moves.result)
        ::SetLastError(ERROR_ACCESS_DENIED);
    return g_moves.result;
}

class ReplaceAtRestartTest : public testing::Test {
protected:
    void SetUp() override {
        g_moves = {};
        WriteBytes(m_target, "old");
        ASSERT_TRUE(::SetFileAttributesW(m_target.c_str(), FILE_ATTRIBUTE_READONLY));
    }

    bool Replace(const StagedFileWriter& write) {
        return ReplaceAtNextRestart(m_target, write, m_flag, RecordMove);
    }
    // A writer of the new content that remembers where it wrote.
    StagedFileWriter Writer(const std::string& content, bool result = true) {
        return [this, content, result](const std::wstring& staged) {
            m_staged.push_back(staged);
            WriteBytes(staged, content);
            return result;
        };
    }

    std::vector<std::wstring> Names() const {
        std::vector<std::wstring> names;
        for (const fs::directory_entry& entry : fs::directory_iterator(m_dir.Path()))
            names.push_back(entry.path().filename().wstring());
        std::sort(names.begin(), names.end());
        return names;
    }
    bool TargetIsReadOnly() const {
        return (::GetFileAttributesW(m_target.c_str()) & FILE_ATTRIBUTE_READONLY) != 0;
    }

    TempDir m_dir;
    const std::wstring m_target = (m_dir / L"app.dll").wstring();
    const std::wstring m_flag = (m_dir / L"brelmak.flg").wstring();
    std::vector<std::wstring> m_staged;
};

TEST_F(ReplaceAtRestartTest, TheStagedFileBesideTheTargetIsRegisteredAndTheFlagWritten) {
    ASSERT_TRUE(Replace(Writer("new")));

    ASSERT_EQ(m_staged.size(), 1u);
    ASSERT_EQ(g_moves.count, 1);
    EXPECT_EQ(g_moves.existing, m_staged[0]);
    EXPECT_EQ(g_moves.newName, m_target);
    EXPECT_EQ(g_moves.flags, DWORD(MOVEFILE_DELAY_UNTIL_REBOOT | MOVEFILE_REPLACE_EXISTING));
    EXPECT_EQ(fs::path(m_staged[0]).parent_path(), m_dir.Path());
    EXPECT_EQ(ReadBytes(m_staged[0]), "new");
    // The target waits for the restart, no longer read-only so that the restart can replace it.
    EXPECT_EQ(ReadBytes(m_target), "old");
    EXPECT_FALSE(TargetIsReadOnly());
    EXPECT_TRUE(RebootFlagExists(m_flag));
    EXPECT_EQ(ReadBytes(m_flag).size(), 16u);
}

TEST_F(ReplaceAtRestartTest, EachReplacementStagesUnderANameOfItsOwn) {
    ASSERT_TRUE(Replace(Writer("first")));
    ASSERT_TRUE(Replace(Writer("second")));
    ASSERT_EQ(m_staged.size(), 2u);
    EXPECT_NE(m_staged[0], m_staged[1]);
    EXPECT_EQ(ReadBytes(m_staged[0]), "first");
    EXPECT_EQ(ReadBytes(m_staged[1]), "second");
}

TEST_F(ReplaceAtRestartTest, AFailedRegistrationLeavesNoFlagNoStagedFileAndTheTargetAsItWas) {
    g_moves.result = FALSE;
    // A staged copy may carry the source's read-only attribute; it goes all the same.
    const StagedFileWriter readOnlyCopy = [this](const std::wstring& staged) {
        m_staged.push_back(staged);
        WriteBytes(staged, "new");
        return ::SetFileAttributesW(staged.c_str(), FILE_ATTRIBUTE_READONLY) != FALSE;
    };
    EXPECT_FALSE(Replace(readOnlyCopy));

    EXPECT_EQ(g_moves.count, 1);
    EXPECT_EQ(Names(), std::vector<std::wstring>{L"app.dll"});
    EXPECT_EQ(ReadBytes(m_target), "old");
    EXPECT_TRUE(TargetIsReadOnly());
    EXPECT_FALSE(RebootFlagExists(m_flag));
}

TEST_F(ReplaceAtRestartTest, AFailedRegistrationKeepsTheFlagOfAnEarlierReplacement) {
    ASSERT_TRUE(WriteRebootFlag(m_flag));
    g_moves.result = FALSE;
    EXPECT_FALSE(Replace(Writer("new")));
    EXPECT_EQ(Names(), (std::vector<std::wstring>{L"app.dll", L"brelmak.flg"}));
    EXPECT_EQ(ReadBytes(m_flag).size(), 16u);
}

TEST_F(ReplaceAtRestartTest, AWriterThatFailsRegistersNothing) {
    EXPECT_FALSE(Replace(Writer("ne", false)));
    EXPECT_EQ(m_staged.size(), 1u);
    EXPECT_EQ(g_moves.count, 0);
    EXPECT_EQ(Names(), std::vector<std::wstring>{L"app.dll"});
    EXPECT_TRUE(TargetIsReadOnly());
}

TEST_F(ReplaceAtRestartTest, AWriterThatThrowsLeavesNoStagedFile) {
    const StagedFileWriter throwing = [](const std::wstring& staged) -> bool {
        WriteBytes(staged, "n");
        throw std::runtime_error("extraction failed");
    };
    EXPECT_THROW(Replace(throwing), std::runtime_error);
    EXPECT_EQ(g_moves.count, 0);
    EXPECT_EQ(Names(), std::vector<std::wstring>{L"app.dll"});
}

TEST_F(ReplaceAtRestartTest, OnlyAnAbsoluteFilePathWithAnExistingDirectoryIsReplaced) {
    const std::wstring missingDirectory = (m_dir / L"missing" / L"app.dll").wstring();
    for (const std::wstring& target :
         {std::wstring(L"app.dll"), std::wstring(L"dir\\app.dll"), std::wstring(L"\\app.dll"),
          std::wstring(L"C:app.dll"), std::wstring(L"C:\\"), m_target + L"\\", missingDirectory}) {
        EXPECT_FALSE(ReplaceAtNextRestart(target, Writer("new"), m_flag, RecordMove))
            << testing::PrintToString(target);
    }
    EXPECT_TRUE(m_staged.empty());
    EXPECT_EQ(g_moves.count, 0);
    EXPECT_EQ(Names(), std::vector<std::wstring>{L"app.dll"});
}

} // namespace
