// Restored files that another program holds, across a real restart of the Wine session. The
// session step runs the two halves in two processes, with the restart between them:
//   1. DISABLED_FilesInUseAreStagedForTheRestart restores a container entry and a listed file
//      while file_holder.exe holds both targets;
//   2. DISABLED_AfterTheRestartTheRestoredFilesStandInPlace finds the restored contents in place
//      and nothing else left behind, and cleans up.
// Both are disabled so that nothing runs them outside that step.
#include "RestoreFixture.h"
#include "common/RebootFlag.h"
#include "common/TreeOps.h"
#include "restore/RestoreRun.h"
#include "support/FileBytes.h"
#include "support/WindowDriver.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

using ::testing::ElementsAre;

// Both processes find the same places: the test runs alone in its session.
const std::wstring kDir = L"C:\\melvorin-restore-session";
const std::wstring kSource = kDir + L"\\source";
const std::wstring kFlag = kDir + L"\\brelmak.flg";

class NoProgress : public IRestoreProgress {
    void ShowFile(const std::wstring&) override {}
    void StartSteps(int) override {}
    void Step() override {}
};

TEST(RestoreSession, DISABLED_FilesInUseAreStagedForTheRestart) {
    RemoveTree(kDir);
    for (const std::wstring& dir : {kDir, kSource, kSource + L"\\I386", kDir + L"\\sys"})
        ASSERT_TRUE(::CreateDirectoryW(dir.c_str(), nullptr));
    ASSERT_TRUE(::CopyFileW(HostPath(MELVORIN_EXPAND_STANDIN).c_str(),
                            (kSource + L"\\I386\\Expand.exe").c_str(), FALSE));
    ASSERT_TRUE(::CopyFileW(HostPath(MELVORIN_LZ_COMPRESSED).c_str(),
                            (kSource + L"\\I386\\SAMPLE.TX_").c_str(), FALSE));
    WriteContainer(kSource + L"\\a.inp",
                   {{u"melvorin-restore-session\\sys\\HELD.DLL", "new held"}});
    WriteBytes(kDir + L"\\sys\\HELD.DLL", "old held");
    WriteBytes(kDir + L"\\sys\\SAMPLE.TXT", "old sample");
    ::SetFileAttributesW((kDir + L"\\sys\\HELD.DLL").c_str(), FILE_ATTRIBUTE_READONLY);

    const std::wstring ready = kDir + L"\\ready";
    {
        ChildProcess holder(
            HolderCommandLine(HostPath(MELVORIN_HOLDER), ready,
                              {kDir + L"\\sys\\HELD.DLL", kDir + L"\\sys\\SAMPLE.TXT"}),
            kDir);
        ASSERT_TRUE(holder.Started());
        ASSERT_TRUE(WaitUntil([&] { return Exists(ready); }));
        NoProgress progress;
        CRestoreRun run(kSource, kFlag, progress);
        CRestoreSource source(kSource + L"\\a.inp");
        source.AddTarget(kDir + L"\\sys\\HELD.DLL");
        run.ExtractSource(source);
        run.ExpandListedFile(kDir + L"\\sys\\SAMPLE.TXT");
    } // the holder ends here

    EXPECT_EQ(ReadBytes(kFlag), Utf16(L"Reboot\r\n"));
    EXPECT_EQ(ReadBytes(kDir + L"\\sys\\HELD.DLL"), "old held");
    EXPECT_EQ(ReadBytes(kDir + L"\\sys\\SAMPLE.TXT"), "old sample");
    EXPECT_EQ(NamesIn(kDir + L"\\sys").size(), 4u) << "two staged files beside the two targets";
}

TEST(RestoreSession, DISABLED_AfterTheRestartTheRestoredFilesStandInPlace) {
    EXPECT_EQ(ReadBytes(kDir + L"\\sys\\HELD.DLL"), "new held");
    EXPECT_EQ(ReadBytes(kDir + L"\\sys\\SAMPLE.TXT"), ReadBytes(HostPath(MELVORIN_LZ_SAMPLE)));
    EXPECT_THAT(NamesIn(kDir + L"\\sys"), ElementsAre(L"HELD.DLL", L"SAMPLE.TXT"));
    RemoveTree(kDir);
}

} // namespace
