// Copy targets that another program holds, across a real restart of the Wine session. The
// session step runs the two halves in two processes, with the restart between them:
//   1. DISABLED_TargetsInUseAreStagedForTheRestart runs a copy script while file_holder.exe
//      holds FOO.DLL and FOO.EXE, which share a base name, beside an unrelated FOO.OTH;
//   2. DISABLED_AfterTheRestartTheNewFilesStandAlone finds the new contents in place and
//      nothing else left behind, and cleans up.
// Both are disabled so that nothing runs them outside that step. The run writes the reboot
// flag of the Windows directory, which the second half removes.
#include "common/RebootFlag.h"
#include "common/TreeOps.h"
#include "install/FileOpFixture.h"
#include "support/WindowDriver.h"

#include <gtest/gtest.h>

namespace {

// Both processes find the same places: the test runs alone in its session.
const std::wstring kDir = L"C:\\melvorin-in-use-session";
const std::wstring kSource = kDir + L"\\source";
const std::wstring kTarget = kDir + L"\\target";
const SystemLayout kLayout{};

std::string Narrow(const std::wstring& text) {
    return std::string(text.begin(), text.end());
}

TEST(InUseSession, DISABLED_TargetsInUseAreStagedForTheRestart) {
    RemoveTree(kDir);
    DeleteRebootFlag(kLayout.RebootFlagPath());
    for (const std::wstring& dir : {kDir, kSource, kTarget})
        ASSERT_TRUE(::CreateDirectoryW(dir.c_str(), nullptr));
    for (const std::string name : {"FOO.DLL", "FOO.EXE"}) {
        const std::wstring wide(name.begin(), name.end());
        WriteBytes(kTarget + L"\\" + wide, "old " + name);
        WriteBytes(kSource + L"\\" + wide, "new " + name);
        SetWriteTime(kTarget + L"\\" + wide, 1000);
    }
    WriteBytes(kTarget + L"\\FOO.OTH", "unrelated");
    WriteAnsi(kDir + L"\\script.cop", "[copy]\r\nFOO.DLL|" + Narrow(kTarget) +
                                          "\\FOO.DLL|RO\r\nFOO.EXE|" + Narrow(kTarget) +
                                          "\\FOO.EXE|\r\n");
    const std::wstring ready = kDir + L"\\ready";
    {
        ChildProcess holder(L"\"" + HostPath(MELVORIN_HOLDER) + L"\" \"" + ready + L"\" \"" +
                                kTarget + L"\\FOO.DLL\" \"" + kTarget + L"\\FOO.EXE\"",
                            kDir);
        ASSERT_TRUE(holder.Started());
        ASSERT_TRUE(WaitUntil([&] { return Exists(ready); }));
        RunFileOp(FileOpCopy, kDir + L"\\script.cop", kSource, L"C:\\", kLayout);
    } // the holder ends here

    // The run asks for the restart: the flag holds exactly one line.
    EXPECT_EQ(ReadBytes(kLayout.RebootFlagPath()), Utf16(L"Reboot\r\n"));
    EXPECT_EQ(ReadBytes(kTarget + L"\\FOO.DLL"), "old FOO.DLL");
    EXPECT_EQ(ReadBytes(kTarget + L"\\FOO.EXE"), "old FOO.EXE");
    EXPECT_EQ(ReadBytes(kTarget + L"\\FOO.OTH"), "unrelated");
    EXPECT_EQ(NamesIn(kTarget).size(), 5u); // two staged files beside the three
}

TEST(InUseSession, DISABLED_AfterTheRestartTheNewFilesStandAlone) {
    EXPECT_EQ(ReadBytes(kTarget + L"\\FOO.DLL"), "new FOO.DLL");
    EXPECT_EQ(ReadBytes(kTarget + L"\\FOO.EXE"), "new FOO.EXE");
    EXPECT_EQ(ReadBytes(kTarget + L"\\FOO.OTH"), "unrelated");
    // The line's attribute list went to the staged file.
    EXPECT_NE(AttributesOfFile(kTarget + L"\\FOO.DLL") & FILE_ATTRIBUTE_READONLY, 0u);
    EXPECT_EQ(NamesIn(kTarget), (std::vector<std::wstring>{L"FOO.DLL", L"FOO.EXE", L"FOO.OTH"}));
    RemoveTree(kDir);
    DeleteRebootFlag(kLayout.RebootFlagPath());
}

} // namespace
