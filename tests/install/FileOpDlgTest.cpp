// The file-operation dialog carrying out scripts against real files and registry keys.
#include "archive/ContainerBuilder.h"
#include "common/RunLog.h"
#include "framework/RegKey.h"
#include "install/FileOpFixture.h"
#include "install/ReplaceFileDlg.h"
#include "resources/resource.h"
#include "support/WindowDriver.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <shlwapi.h>

#include <algorithm>
#include <atomic>
#include <thread>

namespace {

using Names = std::vector<std::wstring>;
using ::testing::HasSubstr;

// The read-only, hidden and system bits: Wine may report the archive bit beside them.
DWORD Protection(const std::wstring& path) {
    return AttributesOfFile(path) &
           (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
}

class FileOp : public ::testing::Test {
protected:
    std::wstring At(const std::wstring& relative) const { return (m_dir / relative).wstring(); }
    std::wstring Script() const { return At(L"script.txt"); }

    TempDir m_dir;
};

// ---- copy ----

class CopyScript : public FileOp {
protected:
    CopyScript() {
        ::CreateDirectoryW(At(L"source").c_str(), nullptr);
        ::CreateDirectoryW(At(L"target").c_str(), nullptr);
    }
    std::wstring Target(const std::wstring& name) const { return At(L"target\\" + name); }
    void Run(const std::string& lines, const std::wstring& root) {
        WriteAnsi(Script(), lines);
        RunFileOp(FileOpCopy, Script(), root);
    }
    std::string Line(const std::string& source, const std::wstring& target,
                     const std::string& attributes) const {
        const std::wstring wide = Target(target);
        return source + "|" + std::string(wide.begin(), wide.end()) + "|" + attributes + "\r\n";
    }
};

TEST_F(CopyScript, OnAnotherDriveTheSourceIsCopiedAndAReadOnlyTargetReplaced) {
    TempDir other(HostPath("/tmp")); // drive Z:
    WriteBytes((other / L"a.dll").wstring(), "new a");
    WriteBytes((other / L"b.dll").wstring(), "new b");
    WriteBytes(Target(L"a.dll"), "old a");
    ::SetFileAttributesW(Target(L"a.dll").c_str(), FILE_ATTRIBUTE_READONLY);
    SetWriteTime(Target(L"a.dll"), 1000);
    Run("[copy]\r\n" + Line("a.dll", L"a.dll", "RO/RO") + Line("b.dll", L"sub\\b.dll", ""),
        other.Path().wstring());
    EXPECT_EQ(ReadBytes(Target(L"a.dll")), "new a");
    EXPECT_EQ(Protection(Target(L"a.dll")), DWORD{FILE_ATTRIBUTE_READONLY});
    EXPECT_EQ(ReadBytes(Target(L"sub\\b.dll")), "new b");
    EXPECT_EQ(ReadBytes((other / L"a.dll").wstring()), "new a"); // copied, not moved
    EXPECT_EQ(NamesIn(At(L"target")), (Names{L"a.dll", L"sub"}));
}

TEST_F(CopyScript, OnTheSameDriveTheSourceIsMovedOverTheTarget) {
    WriteBytes(At(L"source\\a.dll"), "new");
    WriteBytes(Target(L"a.dll"), "old");
    SetWriteTime(Target(L"a.dll"), 1000);
    Run("[copy]\r\n" + Line("a.dll", L"a.dll", "A"), At(L"source"));
    EXPECT_EQ(ReadBytes(Target(L"a.dll")), "new");
    EXPECT_FALSE(Exists(At(L"source\\a.dll")));
    EXPECT_EQ(AttributesOfFile(Target(L"a.dll")), DWORD{FILE_ATTRIBUTE_ARCHIVE});
    EXPECT_EQ(NamesIn(At(L"target")), (Names{L"a.dll"}));
}

TEST_F(CopyScript, DirectoryLinesAndLinesThatArePassedOver) {
    WriteBytes(At(L"source\\a.dll"), "new");
    WriteBytes(Target(L"newer.dll"), "newer");
    WriteBytes(At(L"source\\newer.dll"), "older");
    SetWriteTime(At(L"source\\newer.dll"), 1000);
    const std::wstring dir = Target(L"made");
    Run("[copy]\r\n<|" + std::string(dir.begin(), dir.end()) + "|H\r\n" +
            "a.dll|relative\\a.dll|N\r\n" +            // not a drive-rooted target
            Line("..\\source\\a.dll", L"up.dll", "") + // leaves the source root
            Line("newer.dll", L"newer.dll", ""),       // the existing file is newer
        At(L"source"));
    EXPECT_EQ(AttributesOfFile(dir), DWORD{FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN});
    EXPECT_TRUE(Exists(At(L"source\\a.dll")));
    EXPECT_FALSE(Exists(Target(L"up.dll")));
    EXPECT_EQ(ReadBytes(Target(L"newer.dll")), "newer");
    EXPECT_EQ(NamesIn(At(L"target")), (Names{L"made", L"newer.dll"}));
}

bool IsReplacePrompt(HWND dialog) {
    return ::GetDlgItem(dialog, IDC_REPLACE_YES_ALL) != nullptr;
}
bool IsWarning(HWND dialog) {
    return ::GetDlgItem(dialog, IDC_WARNING_TEXT) && !IsReplacePrompt(dialog);
}

// The operator answers every prompt of the kind with the button while `run` runs; returns the
// texts (control 1000) of the prompts, in order.
std::vector<std::wstring> RunAnswering(const std::function<void()>& run, bool (*isPrompt)(HWND),
                                       int answerButton) {
    std::atomic<bool> done = false;
    std::vector<std::wstring> asked;
    std::thread user([&] {
        while (!done) {
            for (HWND prompt : FindWindows(L"#32770", L"", ::GetCurrentProcessId()))
                if (isPrompt(prompt)) {
                    asked.push_back(ItemText(prompt, IDC_WARNING_TEXT));
                    PressButton(prompt, answerButton);
                    WaitForWindowGone(prompt);
                }
            ::Sleep(20);
        }
    });
    run();
    done = true;
    user.join();
    return asked;
}

TEST_F(CopyScript, MissingSourcesAreReportedUntilIgnoreAll) {
    const std::string lines = "[App]\r\nCheck_File_Warning=YES\r\n[copy]\r\n" +
                              Line("one.dll", L"one.dll", "") + Line("two.dll", L"two.dll", "");
    WriteAnsi(Script(), lines);
    const auto run = [&] { RunFileOp(FileOpCopy, Script(), At(L"source")); };
    EXPECT_EQ(RunAnswering(run, IsWarning, IDOK), (Names{At(L"source\\one.dll") + L" not found!",
                                                         At(L"source\\two.dll") + L" not found!"}));
    EXPECT_EQ(RunAnswering(run, IsWarning, IDCANCEL).size(), 1u);
    WriteAnsi(Script(), "[copy]\r\n" + Line("one.dll", L"one.dll", ""));
    EXPECT_TRUE(RunAnswering(run, IsWarning, IDOK).empty());
}

// A destination that cannot be written for another reason than use is a plain failure: no
// restart would change it.
TEST_F(CopyScript, ADestinationThatIsNotInUseAsksForNoRestart) {
    const std::wstring flag = SystemLayout{}.RebootFlagPath();
    ASSERT_FALSE(Exists(flag));
    WriteBytes(At(L"source\\a.dll"), "new");
    ::CreateDirectoryW(Target(L"a.dll").c_str(), nullptr); // a directory of that name
    Run("[copy]\r\n" + Line("a.dll", L"a.dll", ""), At(L"source"));
    EXPECT_FALSE(Exists(flag));
    EXPECT_EQ(ReadBytes(At(L"source\\a.dll")), "new");
    EXPECT_EQ(NamesIn(At(L"target")), (Names{L"a.dll"}));
}

TEST_F(CopyScript, AnswersToAllHoldForTheRestOfTheScript) {
    for (const int answer : {IDC_REPLACE_YES_ALL, IDC_REPLACE_NO_ALL}) {
        std::string lines = "[Bundle]\r\nFile_Version_Checking=2\r\n[copy]\r\n";
        for (const wchar_t* name : {L"1.dll", L"2.dll", L"3.dll"}) {
            WriteBytes(At(L"source\\") + name, "new");
            WriteBytes(Target(name), "old");
            SetWriteTime(Target(name), 1000);
            lines += Line(std::string(name, name + 5), name, "");
        }
        WriteAnsi(Script(), lines);
        const auto run = [&] { RunFileOp(FileOpCopy, Script(), At(L"source")); };
        EXPECT_EQ(RunAnswering(run, IsReplacePrompt, answer).size(), 1u);
        const std::string expected = answer == IDC_REPLACE_YES_ALL ? "new" : "old";
        for (const wchar_t* name : {L"1.dll", L"2.dll", L"3.dll"})
            EXPECT_EQ(ReadBytes(Target(name)), expected) << answer;
    }
}

// ---- delete ----

TEST_F(FileOp, DeleteScriptsDeleteReadOnlyFilesAtDriveRootedPaths) {
    WriteBytes(At(L"a.txt"), "a");
    ::SetFileAttributesW(At(L"a.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    WriteBytes(At(L"keep.txt"), "k");
    WriteBytes(Script(),
               Utf16(L"[del]\r\n" + At(L"a.txt") + L"\r\nkeep.txt\r\n" + At(L"missing.txt")));
    RunFileOp(FileOpDelete, Script(), L"");
    EXPECT_EQ(NamesIn(m_dir.Path().wstring()), (Names{L"keep.txt", L"script.txt"}));
}

// ---- rename ----

TEST_F(FileOp, RenameScriptsMoveFilesAndTrees) {
    for (const wchar_t* dir : {L"old", L"tree", L"tree\\x"})
        ::CreateDirectoryW(At(dir).c_str(), nullptr);
    WriteBytes(At(L"old\\a.txt"), "a");
    WriteBytes(At(L"tree\\x\\b.txt"), "b");
    WriteBytes(At(L"Case.txt"), "c");
    WriteBytes(At(L"blocker"), "a file where a directory would be needed");
    WriteBytes(At(L"kept.txt"), "k");
    WriteBytes(Script(),
               Utf16(L"[rename]\r\n" + At(L"old\\a.txt") + L"|" + At(L"new\\a2.txt") + L"|RO\r\n" +
                     At(L"tree") + L"|" + At(L"moved\\tree") + L"\r\n" + At(L"Case.txt") + L"|" +
                     At(L"CASE.TXT") + L"\r\n" + At(L"moved") + L"|" + At(L"moved\\inner") +
                     L"\r\n" + At(L"kept.txt") + L"|" + At(L"blocker\\kept.txt") + L"\r\n" +
                     L"relative.txt|" + At(L"r.txt")));
    RunFileOp(FileOpRename, Script(), L"");
    EXPECT_EQ(ReadBytes(At(L"new\\a2.txt")), "a");
    EXPECT_EQ(Protection(At(L"new\\a2.txt")), DWORD{FILE_ATTRIBUTE_READONLY});
    ::SetFileAttributesW(At(L"new\\a2.txt").c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(ReadBytes(At(L"moved\\tree\\x\\b.txt")), "b");
    EXPECT_EQ(NamesIn(At(L"moved")), (Names{L"tree"})); // not moved into itself
    EXPECT_EQ(ReadBytes(At(L"kept.txt")), "k");         // its copy failed: it stays
    // A case-only rename keeps the file (Wine keeps the old letter case too).
    EXPECT_EQ(ReadBytes(At(L"CASE.TXT")), "c");
    std::vector<std::wstring> names = NamesIn(m_dir.Path().wstring());
    for (std::wstring& name : names)
        name = CharLowerW(name.data());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (Names{L"blocker", L"case.txt", L"kept.txt", L"moved", L"new", L"old",
                            L"script.txt"}));
}

// ---- extract ----

class ExtractScript : public FileOp {
protected:
    ExtractScript() { ::CreateDirectoryW(At(L"out").c_str(), nullptr); }
    void WriteContainer(const std::vector<FixtureEntry>& entries) {
        FixtureContainer container;
        container.entries = entries;
        const Bytes bytes = container.Build();
        WriteBytes(At(L"c.inp"), std::string(bytes.begin(), bytes.end()));
    }
    void Run(const std::string& lines) {
        WriteAnsi(Script(), lines);
        RunFileOp(FileOpExtract, Script(), m_dir.Path().wstring(), At(L"out"));
    }
    static std::span<const std::uint8_t> BytesOf(const std::string& text) {
        return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
    }
};

TEST_F(ExtractScript, DamagedAndUnsafeEntriesKeepTheExistingFiles) {
    WriteBytes(At(L"out\\bad.dll"), "old bad");
    WriteBytes(At(L"out\\good.dll"), "old good");
    ::SetFileAttributesW(At(L"out\\bad.dll").c_str(), FILE_ATTRIBUTE_READONLY);
    SetWriteTime(At(L"out\\bad.dll"), 1000);
    SetWriteTime(At(L"out\\good.dll"), 1000);
    FixtureEntry bad = EntryOf(u"bad.dll", Pattern(100000));
    bad.data[bad.data.size() - 2] ^= 0xFF;
    WriteContainer({EntryOf(u"..\\escape.dll", BytesOf("evil")), bad,
                    EntryOf(u"good.dll", BytesOf("new good")),
                    EntryOf(u"dir\\more.dll", BytesOf("more"))});
    SetRunLogPath(At(L"run.log"));
    Run("[Bundle]\r\nFile_Version_Checking=0\r\n[extract]\r\nmissing.inp\r\n..\\c.inp\r\nc.inp");
    SetRunLogPath(L"");
    const std::string log = ReadUtf16AsUtf8(At(L"run.log"));
    EXPECT_THAT(log, HasSubstr("  Skipped, unsafe name: ..\\escape.dll in c.inp\r\n"));
    EXPECT_THAT(log, HasSubstr("  Could not be written, left as it was: " +
                               Utf8(At(L"out\\bad.dll")) + "\r\n"));
    EXPECT_THAT(log, HasSubstr("  Written: " + Utf8(At(L"out\\good.dll")) + "\r\n"));
    EXPECT_EQ(ReadBytes(At(L"out\\bad.dll")), "old bad");
    EXPECT_EQ(Protection(At(L"out\\bad.dll")), DWORD{FILE_ATTRIBUTE_READONLY});
    ::SetFileAttributesW(At(L"out\\bad.dll").c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(ReadBytes(At(L"out\\good.dll")), "new good");
    EXPECT_EQ(ReadBytes(At(L"out\\dir\\more.dll")), "more");
    EXPECT_EQ(NamesIn(At(L"out")), (Names{L"bad.dll", L"dir", L"good.dll"}));
    // The missing container was not created on the source; nothing escaped the root.
    EXPECT_EQ(NamesIn(m_dir.Path().wstring()),
              (Names{L"c.inp", L"out", L"run.log", L"script.txt"}));
}

TEST_F(ExtractScript, ANewerExistingFileIsKeptInTheDefaultMode) {
    WriteBytes(At(L"out\\a.dll"), "newer");
    WriteContainer({EntryOf(u"a.dll", BytesOf("older"))}); // written in 2001
    // File_Version_Checking=0 is one step ahead for extraction: newer files are kept silently.
    Run("[App]\r\nFile_Version_Checking=0\r\n[extract]\r\nc.inp\r\n");
    EXPECT_EQ(ReadBytes(At(L"out\\a.dll")), "newer");
    SetWriteTime(At(L"out\\a.dll"), 1000);
    Run("[App]\r\nFile_Version_Checking=0\r\n[extract]\r\nc.inp\r\n");
    EXPECT_EQ(ReadBytes(At(L"out\\a.dll")), "older");
}

// ---- registry ----

class RegistryFileOp : public FileOp {
protected:
    RegistryFileOp()
        : m_key(L"Software\\MelvorinTest-FileOp-" + std::to_wstring(::GetCurrentProcessId())) {}
    ~RegistryFileOp() override {
        ::SHDeleteKeyW(HKEY_CURRENT_USER, m_key.c_str());
        ::SHDeleteKeyW(HKEY_LOCAL_MACHINE, m_key.c_str());
    }
    bool KeyExists(HKEY root, const std::wstring& subkey) const {
        CRegKey key;
        return key.Open(root, m_key + subkey) == ERROR_SUCCESS;
    }
    bool ValueExists(HKEY root, const std::wstring& subkey, const wchar_t* name) const {
        CRegKey key;
        DWORD type = 0;
        std::vector<BYTE> data;
        return key.Open(root, m_key + subkey) == ERROR_SUCCESS &&
               key.QueryValue(name, type, data) == ERROR_SUCCESS;
    }
    std::wstring m_key;
};

TEST_F(RegistryFileOp, DeletionScriptsDeleteKeysAndValues) {
    CRegKey key;
    ASSERT_EQ(key.Create(HKEY_CURRENT_USER, m_key + L"\\Gone"), ERROR_SUCCESS);
    ASSERT_EQ(key.Create(HKEY_CURRENT_USER, m_key + L"\\Values"), ERROR_SUCCESS);
    key.SetString(L"", L"default");
    key.SetString(L"Named", L"x");
    key.SetString(L"Chained", L"y");
    key.SetString(L"Kept", L"z");
    ASSERT_EQ(key.Create(HKEY_LOCAL_MACHINE, m_key + L"\\Machine"), ERROR_SUCCESS);
    key.Close();
    const std::wstring user = L"HKEY_CURRENT_USER\\" + m_key;
    const std::wstring machine = L"HKEY_LOCAL_MACHINE\\" + m_key;
    WriteBytes(Script(),
               Utf16(L"; registry\r\n[delreg]\r\n" + user + L"\\Gone\r\n" + user +
                     L"\\Values|Value|@|String\r\n" + user + L"\\Values|Value|Named|String|" +
                     user + L"\\Values|Value|Chained\r\n" + L"HKEY_CURRENT_USER\\\r\n" +
                     L"hkey_current_user\\" + m_key + L"\\Values|Value|Kept\r\n" + machine +
                     L"\\Machine\r\n" + machine + L"\\Created|Value|x"));
    CFileOpDlg dialog;
    dialog.m_strScriptPath = Script();
    dialog.m_nOperation = FileOpRegistryScript;
    dialog.m_nSize = 25;
    dialog.m_bMachineWide = false;
    dialog.DoModal();
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, L"\\Gone"));
    EXPECT_FALSE(ValueExists(HKEY_CURRENT_USER, L"\\Values", L""));
    EXPECT_FALSE(ValueExists(HKEY_CURRENT_USER, L"\\Values", L"Named"));
    EXPECT_FALSE(ValueExists(HKEY_CURRENT_USER, L"\\Values", L"Chained"));
    EXPECT_TRUE(ValueExists(HKEY_CURRENT_USER, L"\\Values", L"Kept"));
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, L""));
    // Without the machine-wide option nothing machine-wide goes; a value line makes its key.
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, L"\\Machine"));
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, L"\\Created"));
}

TEST_F(RegistryFileOp, RegistryFilesWithBlanksInTheirNamesAreImported) {
    const std::wstring file = At(L"my fonts.reg");
    WriteBytes(file, "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\" +
                         std::string(m_key.begin(), m_key.end()) +
                         "]\r\n\"Imported\"=dword:0000002a\r\n\r\n");
    RunFileOp(FileOpRegistryImport, file, L"");
    CRegKey key;
    DWORD value = 0;
    ASSERT_EQ(key.Open(HKEY_CURRENT_USER, m_key), ERROR_SUCCESS);
    EXPECT_EQ(key.QueryDword(L"Imported", value), ERROR_SUCCESS);
    EXPECT_EQ(value, 42u);
}

} // namespace
