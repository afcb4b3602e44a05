// Copy and extraction targets that another program holds, across a real restart of the Wine
// session. The session step runs the two halves in two processes, with the restart between them:
//   1. DISABLED_TargetsInUseAreStagedForTheRestart runs a copy script while file_holder.exe
//      holds FOO.DLL and FOO.EXE, which share a base name, beside an unrelated FOO.OTH, and an
//      extract script whose entry BAR.DLL it holds too;
//   2. DISABLED_AfterTheRestartTheNewFilesStandAlone finds the new contents in place and
//      nothing else left behind, and cleans up.
// Both are disabled so that nothing runs them outside that step. The run writes the reboot
// flag of the Windows directory, which the second half removes.
#include "common/RebootFlag.h"
#include "common/RunLog.h"
#include "archive/ContainerBuilder.h"
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
    WriteBytes(kTarget + L"\\BAR.DLL", "old BAR.DLL");
    SetWriteTime(kTarget + L"\\BAR.DLL", 1000);
    const std::string bar = "new BAR.DLL";
    FixtureContainer container;
    container.entries = {EntryOf(u"target\\BAR.DLL",
                                 {reinterpret_cast<const std::uint8_t*>(bar.data()), bar.size()})};
    const Bytes image = container.Build();
    WriteBytes(kSource + L"\\bar.inp", std::string(image.begin(), image.end()));
    WriteAnsi(kDir + L"\\script.cfl",
              "[Bundle]\r\nFile_Version_Checking=0\r\n[extract]\r\nbar.inp\r\n");
    WriteAnsi(kDir + L"\\script.cop", "[copy]\r\nFOO.DLL|" + Narrow(kTarget) +
                                          "\\FOO.DLL|RO\r\nFOO.EXE|" + Narrow(kTarget) +
                                          "\\FOO.EXE|\r\n");
    const std::wstring ready = kDir + L"\\ready";
    {
        ChildProcess holder(HolderCommandLine(HostPath(MELVORIN_HOLDER), ready,
                                              {kTarget + L"\\FOO.DLL", kTarget + L"\\FOO.EXE",
                                               kTarget + L"\\BAR.DLL"}),
                            kDir);
        ASSERT_TRUE(holder.Started());
        ASSERT_TRUE(WaitUntil([&] { return Exists(ready); }));
        SetRunLogPath(kDir + L"\\run.log");
        RunFileOp(FileOpCopy, kDir + L"\\script.cop", kSource, L"C:\\", kLayout);
        RunFileOp(FileOpExtract, kDir + L"\\script.cfl", kSource, kDir, kLayout);
        SetRunLogPath(L"");
    } // the holder ends here
    const std::string log = ReadUtf16AsUtf8(kDir + L"\\run.log");
    for (const wchar_t* name : {L"FOO.DLL", L"FOO.EXE", L"BAR.DLL"})
        EXPECT_NE(log.find("  In use, staged to be replaced at the next restart: " +
                           Utf8(kTarget + L"\\" + name) + "\r\n"),
                  std::string::npos)
            << log;

    // The run asks for the restart: the flag holds exactly one line.
    EXPECT_EQ(ReadBytes(kLayout.RebootFlagPath()), Utf16(L"Reboot\r\n"));
    EXPECT_EQ(ReadBytes(kTarget + L"\\FOO.DLL"), "old FOO.DLL");
    EXPECT_EQ(ReadBytes(kTarget + L"\\FOO.EXE"), "old FOO.EXE");
    EXPECT_EQ(ReadBytes(kTarget + L"\\FOO.OTH"), "unrelated");
    EXPECT_EQ(ReadBytes(kTarget + L"\\BAR.DLL"), "old BAR.DLL");
    // The extraction went through the temporary directory and left nothing there.
    for (const std::wstring& name : NamesIn(kLayout.TempDir()))
        EXPECT_NE(name.rfind(L"mvx", 0), 0u) << name;
    EXPECT_EQ(NamesIn(kTarget).size(), 7u); // three staged files beside the four
}

TEST(InUseSession, DISABLED_AfterTheRestartTheNewFilesStandAlone) {
    EXPECT_EQ(ReadBytes(kTarget + L"\\FOO.DLL"), "new FOO.DLL");
    EXPECT_EQ(ReadBytes(kTarget + L"\\FOO.EXE"), "new FOO.EXE");
    EXPECT_EQ(ReadBytes(kTarget + L"\\FOO.OTH"), "unrelated");
    // The line's attribute list went to the staged file.
    EXPECT_NE(AttributesOfFile(kTarget + L"\\FOO.DLL") & FILE_ATTRIBUTE_READONLY, 0u);
    EXPECT_EQ(ReadBytes(kTarget + L"\\BAR.DLL"), "new BAR.DLL");
    EXPECT_EQ(NamesIn(kTarget),
              (std::vector<std::wstring>{L"BAR.DLL", L"FOO.DLL", L"FOO.EXE", L"FOO.OTH"}));
    RemoveTree(kDir);
    DeleteRebootFlag(kLayout.RebootFlagPath());
}

} // namespace
