// The replacement at the next restart across a real restart of the Wine session. The session
// step runs the two halves in two processes, with the restart between them:
//   1. DISABLED_StageTheReplacementOfAFileInUse registers the replacement of a read-only file
//      that the process holds open;
//   2. DISABLED_AfterTheRestartTheNewFileStandsAlone finds the new content in place and nothing
//      else left behind, and removes the directory.
// Both are disabled so that nothing runs them outside that step.
#include "common/ReplaceAtRestart.h"
#include "common/RebootFlag.h"
#include "common/TreeOps.h"
#include "framework/RegKey.h"
#include "support/FileBytes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cwctype>
#include <filesystem>
#include <vector>

namespace {

// Both processes find the same directory: the test runs alone in its session.
std::wstring WorkDir() {
    wchar_t temp[MAX_PATH + 1];
    const DWORD length = ::GetTempPathW(MAX_PATH + 1, temp);
    return std::wstring(temp, length) + L"melvorin-restart-session";
}
std::wstring Target() {
    return WorkDir() + L"\\app.dll";
}
std::wstring Flag() {
    return WorkDir() + L"\\brelmak.flg";
}

std::vector<std::wstring> Names() {
    std::vector<std::wstring> names;
    for (const auto& entry : std::filesystem::directory_iterator(WorkDir()))
        names.push_back(entry.path().filename().wstring());
    std::sort(names.begin(), names.end());
    return names;
}

std::wstring Lower(std::wstring text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](wchar_t c) { return static_cast<wchar_t>(std::towlower(c)); });
    return text;
}

// The renames and deletions that wait for the restart, as one lower-case text.
std::wstring PendingOperations() {
    CRegKey key;
    if (key.Open(HKEY_LOCAL_MACHINE, L"System\\CurrentControlSet\\Control\\Session Manager") !=
        ERROR_SUCCESS)
        return {};
    DWORD type = 0;
    std::vector<BYTE> data;
    if (key.QueryValue(L"PendingFileRenameOperations", type, data) != ERROR_SUCCESS)
        return {};
    std::wstring text(reinterpret_cast<const wchar_t*>(data.data()), data.size() / 2);
    std::replace(text.begin(), text.end(), L'\0', L'|');
    return Lower(text);
}

const std::string kOld = "old content";
const std::string kNew = "new content, longer than the old";

TEST(ReplaceAtRestartSession, DISABLED_StageTheReplacementOfAFileInUse) {
    RemoveTree(WorkDir());
    ASSERT_TRUE(::CreateDirectoryW(WorkDir().c_str(), nullptr));
    WriteBytes(Target(), kOld);
    ASSERT_TRUE(::SetFileAttributesW(Target().c_str(), FILE_ATTRIBUTE_READONLY));
    // In use: held open without sharing for writing or deletion, so only a restart replaces it.
    const HANDLE inUse = ::CreateFileW(Target().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                       OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(inUse, INVALID_HANDLE_VALUE);

    std::wstring staged;
    EXPECT_TRUE(ReplaceAtNextRestart(
        Target(),
        [&](const std::wstring& path) {
            staged = path;
            WriteBytes(path, kNew);
            return true;
        },
        Flag()));
    ::CloseHandle(inUse);

    EXPECT_EQ(ReadBytes(Target()), kOld);
    EXPECT_EQ(::GetFileAttributesW(Target().c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
    EXPECT_EQ(ReadBytes(staged), kNew);
    EXPECT_TRUE(RebootFlagExists(Flag()));
    EXPECT_EQ(Names().size(), 3u); // the target, the staged file, the flag
    EXPECT_NE(PendingOperations().find(Lower(std::filesystem::path(staged).filename().wstring())),
              std::wstring::npos);
}

TEST(ReplaceAtRestartSession, DISABLED_AfterTheRestartTheNewFileStandsAlone) {
    EXPECT_EQ(ReadBytes(Target()), kNew);
    EXPECT_EQ(::GetFileAttributesW(Target().c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
    EXPECT_EQ(Names(), (std::vector<std::wstring>{L"app.dll", L"brelmak.flg"}));
    EXPECT_EQ(PendingOperations().find(L"melvorin-restart-session"), std::wstring::npos);
    RemoveTree(WorkDir());
}

} // namespace
