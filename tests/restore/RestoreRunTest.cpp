// The restore run writing to drive C: of the test prefix, below a fresh directory of its own:
// container entries extracted in place with their times and attributes, listed files expanded
// with the Expand.exe stand-in, and targets in use staged for the next restart.
#include "RestoreFixture.h"
#include "common/RebootFlag.h"
#include "common/RunLog.h"
#include "common/TextConversion.h"
#include "restore/RestoreRun.h"
#include "support/FileBytes.h"
#include "support/TempDir.h"
#include "support/WindowDriver.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

class NoProgress : public IRestoreProgress {
public:
    void ShowFile(const std::wstring& text) override { shown.push_back(text); }
    void StartSteps(int count) override { ranges.push_back(count); }
    void Step() override { ++steps; }
    std::vector<std::wstring> shown;
    std::vector<int> ranges;
    int steps = 0;
};

class RestoreRunTest : public ::testing::Test {
protected:
    RestoreRunTest() : m_temp(L"C:\\"), m_name(m_temp.Path().filename().wstring()) {
        std::filesystem::create_directories(m_temp / L"source\\I386");
        std::filesystem::create_directories(m_temp / L"source\\PRELOAD");
        SetRunLogPath(OnC(L"run.log"));
    }
    ~RestoreRunTest() override { SetRunLogPath(L""); }
    std::string RunLog() const { return ReadUtf16AsUtf8(OnC(L"run.log")); }
    // A path below the test's directory on C:.
    std::wstring OnC(const std::wstring& relative) const { return m_temp / relative; }
    // An entry name that lands below the test's directory.
    std::u16string Entry(const std::wstring& relative) const {
        return ToUtf16(m_name + L"\\" + relative);
    }
    std::wstring Container() const { return OnC(L"source\\PRELOAD\\a.inp"); }
    std::wstring Flag() const { return OnC(L"brelmak.flg"); }
    CRestoreRun Run() { return CRestoreRun(OnC(L"source"), Flag(), m_progress); }
    // Expand.exe of the source is the stand-in; its log holds its command lines.
    void InstallExpand() const {
        ASSERT_TRUE(::CopyFileW(HostPath(MELVORIN_EXPAND_STANDIN).c_str(),
                                OnC(L"source\\I386\\Expand.exe").c_str(), FALSE));
        ASSERT_TRUE(::CopyFileW(HostPath(MELVORIN_LZ_COMPRESSED).c_str(),
                                OnC(L"source\\I386\\SAMPLE.TX_").c_str(), FALSE));
    }
    // What the files staged in the test's directory hold.
    std::vector<std::string> StagedContents() const {
        std::vector<std::string> staged;
        for (const std::wstring& name : NamesIn(m_temp.Path().wstring()))
            if (name.rfind(L"mvr", 0) == 0)
                staged.push_back(ReadBytes(OnC(name)));
        return staged;
    }
    // Holds the file open without sharing it for writing until the test ends.
    void Hold(const std::wstring& path) {
        const std::wstring ready = OnC(L"ready");
        m_holder = std::make_unique<ChildProcess>(
            HolderCommandLine(HostPath(MELVORIN_HOLDER), ready, {path}), m_temp.Path().wstring());
        ASSERT_TRUE(m_holder->Started());
        ASSERT_TRUE(WaitUntil([&] { return Exists(ready); }));
    }
    std::string ExpandLog() const { return ReadBytes(OnC(L"source\\I386\\Expand.log")); }

    TempDir m_temp;
    std::wstring m_name;
    NoProgress m_progress;
    std::unique_ptr<ChildProcess> m_holder;
};

// Only the marked entries are written, in the container's order, whatever the letter case of
// the marked path; the directories of all entries are created. A read-only target that nobody
// holds is replaced in place.
TEST_F(RestoreRunTest, MarkedEntriesAreExtractedInPlace) {
    WriteContainer(Container(), {{Entry(L"Windows\\Y.DLL"), "new y"},
                                 {Entry(L"Windows\\X.DLL"), "new x", ArchiveAttributes::ReadOnly},
                                 {Entry(L"Windows\\unmarked.dll"), "u"},
                                 {Entry(L"EMPTY\\DEEPER\\Z.TXT"), "z"}});
    std::filesystem::create_directories(m_temp / L"Windows");
    WriteBytes(OnC(L"Windows\\X.DLL"), "old x, longer than the new one");
    ::SetFileAttributesW(OnC(L"Windows\\X.DLL").c_str(), FILE_ATTRIBUTE_READONLY);

    CRestoreSource source(Container());
    source.AddTarget(OnC(L"WINDOWS\\X.DLL"));
    source.AddTarget(OnC(L"windows\\y.dll"));
    Run().ExtractSource(source);

    EXPECT_EQ(ReadBytes(OnC(L"Windows\\X.DLL")), "new x");
    // Wine marks every file it writes for archiving.
    EXPECT_EQ(AttributesOfFile(OnC(L"Windows\\X.DLL")) & ~DWORD{FILE_ATTRIBUTE_ARCHIVE},
              DWORD{FILE_ATTRIBUTE_READONLY});
    EXPECT_EQ(WriteTimeOf(OnC(L"Windows\\X.DLL")),
              static_cast<std::int64_t>((SampleWriteTime - 116444736000000000) / 10000000));
    EXPECT_EQ(ReadBytes(OnC(L"Windows\\Y.DLL")), "new y");
    EXPECT_EQ(AttributesOfFile(OnC(L"Windows\\Y.DLL")), DWORD{FILE_ATTRIBUTE_ARCHIVE});
    EXPECT_FALSE(Exists(OnC(L"Windows\\unmarked.dll")));
    EXPECT_THAT(NamesIn(OnC(L"EMPTY\\DEEPER")), ::testing::IsEmpty());
    EXPECT_TRUE(Exists(OnC(L"EMPTY\\DEEPER")));
    EXPECT_THAT(m_progress.shown,
                ElementsAre(m_name + L"\\Windows\\Y.DLL", m_name + L"\\Windows\\X.DLL"));
    EXPECT_EQ(m_progress.steps, 2);
    EXPECT_FALSE(RebootFlagExists(Flag()));
}

// Unsafe names lead nowhere, not even to a directory; a container that went is not created.
TEST_F(RestoreRunTest, UnsafeEntriesAndVanishedContainersAreLeftAlone) {
    const std::wstring evil = L"..\\..\\" + m_name + L"-EVIL\\x";
    WriteContainer(Container(), {{ToUtf16(evil), "evil"}, {Entry(L"ok.txt"), "ok"}});
    CRestoreSource source(Container());
    source.AddTarget(L"C:\\" + evil);
    source.AddTarget(OnC(L"ok.txt"));
    Run().ExtractSource(source);
    EXPECT_EQ(ReadBytes(OnC(L"ok.txt")), "ok");
    EXPECT_FALSE(Exists(L"C:\\" + m_name + L"-EVIL"));
    EXPECT_THAT(RunLog(), HasSubstr("  Skipped, its name would leave C:\\: " + Utf8(evil)));
    EXPECT_THAT(RunLog(), HasSubstr("  Written: " + Utf8(OnC(L"ok.txt")) + "\r\n"));

    CRestoreSource gone(OnC(L"source\\PRELOAD\\gone.inp"));
    gone.AddTarget(OnC(L"ok.txt"));
    Run().ExtractSource(gone);
    EXPECT_FALSE(Exists(OnC(L"source\\PRELOAD\\gone.inp")));
}

// A target that another program holds is staged beside it for the next restart, with the flag.
TEST_F(RestoreRunTest, EntriesInUseWaitForTheRestart) {
    WriteContainer(Container(), {{Entry(L"held.dll"), "new held"}});
    WriteBytes(OnC(L"held.dll"), "old held");
    Hold(OnC(L"held.dll"));

    CRestoreSource source(Container());
    source.AddTarget(OnC(L"held.dll"));
    Run().ExtractSource(source);

    EXPECT_EQ(ReadBytes(OnC(L"held.dll")), "old held");
    EXPECT_EQ(ReadBytes(Flag()), Utf16(L"Reboot\r\n"));
    EXPECT_THAT(RunLog(), HasSubstr("  In use, staged to be replaced at the next restart: " +
                                    Utf8(OnC(L"held.dll"))));
    EXPECT_THAT(StagedContents(), ElementsAre("new held"));
}

// A listed file: Expand.exe gets both paths quoted and writes a temporary file beside the
// target, which then takes the target's place.
TEST_F(RestoreRunTest, ListedFilesAreExpandedBesideTheirTarget) {
    InstallExpand();
    WriteBytes(OnC(L"SAMPLE.TXT"), "old sample");
    Run().ExpandListedFile(OnC(L"SAMPLE.TXT"));
    Run().ExpandListedFile(OnC(L"new dir\\SAMPLE.TXT"));

    const std::string sample = ReadBytes(HostPath(MELVORIN_LZ_SAMPLE));
    EXPECT_EQ(ReadBytes(OnC(L"SAMPLE.TXT")), sample);
    EXPECT_EQ(ReadBytes(OnC(L"new dir\\SAMPLE.TXT")), sample);
    const std::string tool = "\"" + Utf8(OnC(L"source\\I386\\Expand.exe")) + "\" \"" +
                             Utf8(OnC(L"source\\I386\\SAMPLE.TX_")) + "\" \"" +
                             Utf8(OnC(L"new dir\\mvr"));
    EXPECT_THAT(ExpandLog(), HasSubstr("cmdline=" + tool));
    EXPECT_THAT(RunLog(), HasSubstr("  Ended with exit code 0: " + tool));
    EXPECT_THAT(NamesIn(OnC(L"new dir")), ElementsAre(L"SAMPLE.TXT"));
    EXPECT_FALSE(RebootFlagExists(Flag()));
}

// A damaged compressed copy never replaces the target, and leaves nothing behind.
TEST_F(RestoreRunTest, ADamagedCompressedCopyLeavesTheTargetAlone) {
    InstallExpand();
    const std::string whole = ReadBytes(OnC(L"source\\I386\\SAMPLE.TX_"));
    WriteBytes(OnC(L"source\\I386\\SAMPLE.TX_"), whole.substr(0, whole.size() / 2));
    std::filesystem::create_directories(m_temp / L"sys");
    WriteBytes(OnC(L"sys\\SAMPLE.TXT"), "the system's own file");
    Run().ExpandListedFile(OnC(L"sys\\SAMPLE.TXT"));
    EXPECT_EQ(ReadBytes(OnC(L"sys\\SAMPLE.TXT")), "the system's own file");
    EXPECT_THAT(RunLog(), HasSubstr("  Ended with exit code 1: "));
    EXPECT_THAT(NamesIn(OnC(L"sys")), ElementsAre(L"SAMPLE.TXT"));
}

// A listed target in use is staged too, not passed over.
TEST_F(RestoreRunTest, ListedFilesInUseWaitForTheRestart) {
    InstallExpand();
    WriteBytes(OnC(L"SAMPLE.TXT"), "old sample");
    Hold(OnC(L"SAMPLE.TXT"));
    Run().ExpandListedFile(OnC(L"SAMPLE.TXT"));
    EXPECT_EQ(ReadBytes(OnC(L"SAMPLE.TXT")), "old sample");
    EXPECT_TRUE(RebootFlagExists(Flag()));
    EXPECT_THAT(StagedContents(), ElementsAre(ReadBytes(HostPath(MELVORIN_LZ_SAMPLE))));
}

} // namespace
