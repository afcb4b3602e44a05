// The installation run in this process, against real files: copies, shortcuts, setups, INF
// lists, what counts as installed, and the restart question.
#include "common/RunLog.h"
#include "common/TreeOps.h"
#include "install/InstallRunFixture.h"
#include "resources/resource.h"
#include "wait/Processes.h"
#include "wait/StandinFixture.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <commctrl.h>

#include <cwchar>
#include <memory>
#include <thread>

namespace {

using ::testing::HasSubstr;
using ::testing::Not;

const std::vector<bool> kDone = {true};
const std::vector<bool> kNotDone = {false};

bool SameText(const std::wstring& a, const std::wstring& b) {
    return ::CompareStringW(LOCALE_INVARIANT, NORM_IGNORECASE, a.c_str(), -1, b.c_str(), -1) ==
           CSTR_EQUAL;
}
#define EXPECT_SAME_PATH(a, b)                                                                     \
    EXPECT_TRUE(SameText(a, b)) << testing::PrintToString(a) << " is not "                         \
                                << testing::PrintToString(b)

int CountFiles(const std::wstring& directory) {
    int count = 0;
    WIN32_FIND_DATAW data;
    HANDLE find = ::FindFirstFileW((directory + L"\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return 0;
    do {
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            ++count;
    } while (::FindNextFileW(find, &data));
    ::FindClose(find);
    return count;
}

bool IsReadOnly(const std::wstring& path) {
    return (::GetFileAttributesW(path.c_str()) & FILE_ATTRIBUTE_READONLY) != 0;
}

// The process is gone for good: nobody holds a handle of it any more.
bool ProcessObjectIsGone(DWORD id) {
    HANDLE process = ::OpenProcess(SYNCHRONIZE, FALSE, id);
    if (!process)
        return true;
    ::CloseHandle(process);
    return false;
}

// --- Copies and shortcuts -----------------------------------------------------------------

TEST_F(InstallRunTest, RunOnceCopiesTheWholeTreeOverReadOnlyFiles) {
    WriteSourceFile(L"Tools", L"a.txt", "a");
    WriteSourceFile(L"Tools", L"Sub\\b.txt", "b");
    WriteSourceFile(L"Tools", L"Sub\\Deeper\\c.txt", "c");
    // The local copy directory has its own name; the item's files lie where the source has them.
    ::MoveFileW(ItemSourceDir(L"Tools").c_str(), ItemSourceDir(m_strLocalName).c_str());
    const std::wstring local = m_local.Path();
    WriteBytes(local + L"\\a.txt", "old");
    ::SetFileAttributesW((local + L"\\a.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    WriteDescription(L"TOOLS.DTA",
                     "SourceDir=" + std::string(m_strLocalName.begin(), m_strLocalName.end()) +
                         "\r\nInstallation_Type=RunOnce\r\nDescription=Tools\r\n");

    Run({L"TOOLS.DTA"});

    EXPECT_EQ(m_dialog.m_itemsDone, kDone);
    EXPECT_TRUE(m_dialog.AllItemsDone());
    EXPECT_EQ(ReadBytes(local + L"\\a.txt"), "a");
    EXPECT_FALSE(IsReadOnly(local + L"\\a.txt"));
    EXPECT_EQ(ReadBytes(local + L"\\Sub\\b.txt"), "b");
    EXPECT_EQ(ReadBytes(local + L"\\Sub\\Deeper\\c.txt"), "c");
}

class DesktopItem : public InstallRunTest {
protected:
    DesktopItem() {
        WriteSourceFile(m_strLocalName, L"atlas.exe", "program");
        WriteSourceFile(m_strLocalName, L"Maps\\world.map", "world");
    }

    std::string Local() const { return std::string(m_strLocalName.begin(), m_strLocalName.end()); }

    // A desktop item "ATLAS.DTA" with this description.
    void WriteAtlas(const std::string& description) {
        WriteDescription(L"ATLAS.DTA", "SourceDir=" + Local() +
                                           "\r\nInstallation_Type=Desktop\r\n"
                                           "Exe_File=atlas.exe\r\n"
                                           "CmdLine=/open \"world 1.map\"\r\n"
                                           "Description=" +
                                           description + "\r\n");
    }

    std::wstring LinkPath(const std::wstring& name) const {
        return DesktopLinkDir() + L"\\" + name + L".lnk";
    }
};

TEST_F(DesktopItem, ShortcutHoldsTargetArgumentsWorkingDirectoryAndShowCommandApart) {
    const std::wstring name = L"Atlas " + m_strLocalName;
    PreservedFile link(LinkPath(name));
    WriteAtlas("Atlas " + Local() + " (Desktop Shortcut)");

    Run({L"ATLAS.DTA"});

    EXPECT_EQ(m_dialog.m_itemsDone, kDone);
    EXPECT_EQ(ReadBytes(m_local / L"Maps\\world.map"), "world");
    ASSERT_TRUE(FileExists(link.Path()));
    SavedShortcut saved = ReadShortcut(link.Path());
    const std::wstring local = L"C:\\I386\\" + m_strLocalName;
    EXPECT_SAME_PATH(saved.target, local + L"\\atlas.exe");
    EXPECT_EQ(saved.arguments, L"/open \"world 1.map\"");
    EXPECT_SAME_PATH(saved.workingDirectory, local);
    EXPECT_EQ(saved.showCommand, SW_SHOWNORMAL);
}

TEST_F(DesktopItem, ShortcutIsSavedHiddenWhenShowCmdIsNo) {
    UseInstallIni("ShowCmd=NO\r\n");
    const std::wstring name = L"Atlas " + m_strLocalName;
    PreservedFile link(LinkPath(name));
    WriteAtlas("Atlas " + Local());

    Run({L"ATLAS.DTA"});

    EXPECT_EQ(m_dialog.m_itemsDone, kDone);
    EXPECT_EQ(ReadShortcut(link.Path()).showCommand, SW_HIDE);
}

TEST_F(DesktopItem, ShortcutNameCannotLeaveTheDesktopFolder) {
    const std::wstring escaped = L"C:\\Evil " + m_strLocalName + L".lnk";
    PreservedFile outside(escaped);
    PreservedFile link(LinkPath(L".._.._Evil " + m_strLocalName));
    WriteAtlas("..\\..\\Evil " + Local());

    Run({L"ATLAS.DTA"});

    EXPECT_EQ(m_dialog.m_itemsDone, kDone);
    EXPECT_FALSE(FileExists(escaped));
    EXPECT_TRUE(FileExists(link.Path()));
}

TEST_F(DesktopItem, ADeviceNameOrNothingGetsNoShortcutAndIsNotInstalled) {
    const int links = CountFiles(DesktopLinkDir());
    for (const char* description : {"CON", "", "...", "Lpt1 (Desktop Shortcut)"}) {
        WriteAtlas(description);
        CInstallDlg dialog{WindowsVersionFlags{}};
        Prepare(dialog, {L"ATLAS.DTA"});
        Run(dialog);
        EXPECT_EQ(dialog.m_itemsDone, kNotDone) << description;
        EXPECT_FALSE(dialog.AllItemsDone());
    }
    // "CON.lnk" would name the console device, so only the folder's listing tells.
    EXPECT_EQ(CountFiles(DesktopLinkDir()), links);
}

TEST_F(DesktopItem, CancelledCopyMakesNoShortcutAndIsNotInstalled) {
    for (int i = 0; i < 400; ++i)
        WriteSourceFile(m_strLocalName, L"Data\\file" + std::to_wstring(i) + L".dat", "data");
    const std::wstring name = L"Atlas " + m_strLocalName;
    PreservedFile link(LinkPath(name));
    WriteAtlas("Atlas " + Local());

    Prepare(m_dialog, {L"ATLAS.DTA"});
    std::thread user([] {
        HWND copy = WaitForOwnDialog(L"Copying Files ...");
        ASSERT_NE(copy, nullptr);
        HWND progress = ::GetDlgItem(copy, IDC_COPY_PROGRESS);
        WaitUntil([&] {
            return !::IsWindow(progress) || ::SendMessageW(progress, PBM_GETPOS, 0, 0) >= 20;
        });
        ::PostMessageW(copy, WM_KEYDOWN, VK_ESCAPE, 0);
    });
    Run(m_dialog);
    user.join();

    EXPECT_EQ(m_dialog.m_itemsDone, kNotDone);
    EXPECT_FALSE(FileExists(link.Path()));
    EXPECT_LT(CountFiles(m_local / L"Data"), 400);
}

// Items that would write outside C:\I386 copy nothing and make no shortcut; the run goes on.
TEST_F(DesktopItem, RefusedSourceDirCopiesNothing) {
    const std::wstring escape = L"Escape " + m_strLocalName;
    const std::string escapeA(escape.begin(), escape.end());
    // I386\..\<escape> of the source, which C:\I386\..\<escape> would receive.
    const std::wstring outsideSource = m_strRoot + escape;
    ::CreateDirectoryW(outsideSource.c_str(), nullptr);
    WriteBytes(outsideSource + L"\\payload.txt", "payload");
    const std::wstring outsideTarget = L"C:\\" + escape;

    const std::vector<std::string> refused = {"SourceDir=..\\" + escapeA + "\r\n",
                                              "SourceDir=C:\\" + escapeA + "\r\n", "SourceDir=\r\n",
                                              "SourceDir=none\r\n", ""};
    std::vector<std::wstring> items;
    for (size_t i = 0; i < refused.size(); ++i) {
        for (const char* type : {"RunOnce", "Desktop"}) {
            const std::wstring name = L"REFUSED" + std::to_wstring(items.size()) + L".DTA";
            WriteDescription(name, refused[i] + "Installation_Type=" + type +
                                       "\r\nExe_File=payload.txt\r\nDescription=Refused " +
                                       escapeA + "\r\n");
            items.push_back(name);
        }
    }
    WriteAtlas("Atlas " + Local());
    items.push_back(L"ATLAS.DTA");
    PreservedFile link(LinkPath(L"Atlas " + m_strLocalName));
    PreservedFile refusedLink(LinkPath(L"Refused " + escape));

    Run(items);

    std::vector<bool> expected(items.size(), false);
    expected.back() = true;
    EXPECT_EQ(m_dialog.m_itemsDone, expected);
    EXPECT_FALSE(FileExists(outsideTarget));
    EXPECT_FALSE(FileExists(L"C:\\I386\\payload.txt"));
    EXPECT_FALSE(FileExists(L"C:\\I386\\APPS"));
    EXPECT_FALSE(FileExists(refusedLink.Path()));
    EXPECT_TRUE(FileExists(link.Path()));
    if (FileExists(outsideTarget))
        RemoveTree(outsideTarget);
}

// --- Setup programs -----------------------------------------------------------------------

class SetupItem : public InstallRunTest {
protected:
    // A setup item "SETUP.DTA" whose program lies in I386\<sourceDir>; returns the setup's log.
    std::wstring WriteSetup(const std::wstring& sourceDir, const std::string& cmdLine) {
        const std::wstring log = PlaceSetup(sourceDir);
        WriteDescription(L"SETUP.DTA",
                         "SourceDir=" + std::string(sourceDir.begin(), sourceDir.end()) +
                             "\r\nInstallation_Type=RunOnce\\Setup\r\n"
                             "Exe_File=setup.exe\r\n"
                             "CmdLine=" +
                             cmdLine + "\r\nDescription=Setup\r\n");
        return log;
    }
};

TEST_F(SetupItem, SetupStartsWithItsCommandLineShownInTheRunsDirectory) {
    const std::wstring log = WriteSetup(L"Word", "/s /run:200");

    Run({L"SETUP.DTA"});

    EXPECT_EQ(m_dialog.m_itemsDone, kDone);
    EXPECT_EQ(LogValue(log, "cmdline"), ItemSourceDir(L"Word") + L"\\setup.exe /s /run:200");
    EXPECT_EQ(LogValue(log, "cwd"), m_dir.Path().wstring());
    EXPECT_EQ(LogValue(log, "show"), L"1");
    // The wait for what the setup left running ended because it had all ended.
    EXPECT_EQ(m_dialog.m_nWaitResult1, 0);
    EXPECT_EQ(m_dialog.m_nWaitResult2, 1);
}

TEST_F(SetupItem, ProgramPathWithBlanksIsQuotedAndStartsHiddenWithShowCmdNo) {
    UseInstallIni("ShowCmd=no\r\n");
    const std::wstring log = WriteSetup(L"Word 2000", "/s");

    Run({L"SETUP.DTA"});

    EXPECT_EQ(m_dialog.m_itemsDone, kDone);
    EXPECT_EQ(LogValue(log, "cmdline"), L"\"" + ItemSourceDir(L"Word 2000") + L"\\setup.exe\" /s");
    EXPECT_EQ(LogValue(log, "show"), L"0");
}

TEST_F(SetupItem, AbsoluteProgramIsStartedWhateverTheSourceDir) {
    const std::wstring log = PlaceSetup(L"Elsewhere");
    const std::wstring program = ItemSourceDir(L"Elsewhere") + L"\\setup.exe";
    WriteDescription(L"SETUP.DTA", "SourceDir=..\\WINDOWS\r\nInstallation_Type=RunOnce\\Setup\r\n"
                                   "Exe_File=" +
                                       std::string(program.begin(), program.end()) +
                                       "\r\nCmdLine=none\r\n");

    Run({L"SETUP.DTA"});

    EXPECT_EQ(m_dialog.m_itemsDone, kDone);
    EXPECT_EQ(LogValue(log, "cmdline"), program);
}

// A SourceDir that leaves I386 starts no program and carries out no INF file from outside it;
// the run logs the refusal and goes on with the next item.
TEST_F(SetupItem, UnsafeSourceDirStartsNothingOutsideI386) {
    const std::wstring log = m_dir / L"run.log";
    UseInstallIni("[General]\r\nTitle=Install run test\r\nRunLog=" + Utf8(log) + "\r\n");
    // Source\Outside, beside I386, holds a setup and an INF file that must not be used.
    const std::wstring outside = L"..\\Outside";
    const std::wstring outsideLog = PlaceSetup(outside);
    WriteSourceFile(outside, L"present.inf", "[present.]\r\n");
    const std::wstring outsideDir = m_strRoot + L"Outside";
    const std::wstring goodLog = PlaceSetup(L"Word");
    const std::string setup = "\r\nInstallation_Type=RunOnce\\Setup\r\nExe_File=setup.exe\r\n";
    const std::string infList = "\r\nInstallation_Type=RunOnce\\Setup\r\nExe_File=inf\r\n"
                                "Exe_File1=present.inf\r\n";
    WriteDescription(L"UP.DTA", "SourceDir=..\\Outside" + setup);
    WriteDescription(L"DRIVE.DTA", "SourceDir=" + Utf8(outsideDir) + setup);
    WriteDescription(L"INF.DTA", "SourceDir=..\\Outside" + infList);
    WriteDescription(L"NONE.DTA", "Description=No directory" + setup);
    WriteDescription(L"GOOD.DTA", "SourceDir=Word" + setup);

    Run({L"UP.DTA", L"DRIVE.DTA", L"INF.DTA", L"NONE.DTA", L"GOOD.DTA"});
    SetRunLogPath(L"");

    // Without a SourceDir the setup looks in I386\none, inside I386, as ever: it is not there.
    EXPECT_EQ(m_dialog.m_itemsDone, (std::vector<bool>{false, false, false, false, true}));
    EXPECT_FALSE(FileExists(outsideLog)) << "the setup outside I386 ran";
    EXPECT_TRUE(FileExists(goodLog));
    const std::string text = ReadUtf16AsUtf8(log);
    const std::string dta = Utf8(m_strAppsDir) + "\\DTA\\";
    EXPECT_THAT(text, HasSubstr("  Skipped, unsafe source directory: ..\\Outside of " + dta +
                                "UP.DTA\r\n"));
    EXPECT_THAT(text, HasSubstr("  Skipped, unsafe source directory: " + Utf8(outsideDir) + " of " +
                                dta + "DRIVE.DTA\r\n"));
    EXPECT_THAT(text, HasSubstr("  Skipped, unsafe source directory: ..\\Outside of " + dta +
                                "INF.DTA\r\n"));
    EXPECT_THAT(text, Not(HasSubstr("unsafe source directory: none")));
    EXPECT_THAT(text,
                HasSubstr("  Could not start: " + Utf8(m_strRoot) + "I386\\none\\setup.exe\r\n"));
}

TEST_F(SetupItem, SetupThatCannotStartIsNotInstalled) {
    WriteDescription(L"SETUP.DTA", "SourceDir=Word\r\nInstallation_Type=RunOnce\\Setup\r\n"
                                   "Exe_File=missing.exe\r\n");
    Run({L"SETUP.DTA"});
    EXPECT_EQ(m_dialog.m_itemsDone, kNotDone);
}

TEST_F(SetupItem, ProcessAndThreadHandlesAreClosedOnEveryPath) {
    const std::wstring log = WriteSetup(L"Word", "/s");
    const struct {
        const char* path;
        bool noWait;
        bool vorqOnly;
    } paths[] = {{"waiting", false, false}, {"vorq only", false, true}, {"no wait", true, false}};
    for (const auto& path : paths) {
        CInstallDlg dialog{WindowsVersionFlags{}};
        Prepare(dialog, {L"SETUP.DTA"});
        dialog.m_bNoWait = path.noWait;
        dialog.m_bVorqOnly = path.vorqOnly;
        dialog.m_nTimeOut = 1;
        Run(dialog);
        EXPECT_EQ(dialog.m_itemsDone, kDone) << path.path;
        const DWORD id = std::stoul(LogValue(log, "pid"));
        EXPECT_TRUE(WaitUntil([id] { return ProcessObjectIsGone(id); }, 5000)) << path.path;
    }
}

TEST_F(SetupItem, VorqOnlyWaitEndsWhenVorqRunsAndThenWaitsForIt) {
    const std::wstring log = WriteSetup(L"Word", "/vorq:2500");
    Prepare(m_dialog, {L"SETUP.DTA"});
    m_dialog.m_bVorqOnly = true;

    Run(m_dialog);

    EXPECT_EQ(m_dialog.m_itemsDone, kDone);
    EXPECT_EQ(m_dialog.m_nWaitResult1, 1);
    EXPECT_EQ(m_dialog.m_nWaitResult2, 0);
    EXPECT_NE(LogValue(log, "vorq"), L"0");
    // The run waited while vorq.exe ran.
    EXPECT_EQ(IsProcessRunning(L"vorq.exe"), 0);
}

// --- INF lists --------------------------------------------------------------------------

class InfItem : public InstallRunTest {
protected:
    void WriteInfItem(const std::string& description, const std::string& files) {
        WriteSourceFile(L"Sound", L"present.inf", "[present]\r\n");
        WriteDescription(L"SOUND.DTA", "SourceDir=Sound\r\nInstallation_Type=RunOnce\\Setup\r\n"
                                       "Exe_File=sound.inf\r\nDescription=" +
                                           description + "\r\n" + files);
    }
};

TEST_F(InfItem, ProgressTextIsPlainTextAndTheDialogShowsTheHeading) {
    WriteInfItem("100%s%n Sound (SB16)",
                 "Exe_File1=present.inf\r\nExe_File2=missing.inf\r\nExe_File3=present.inf\r\n");
    Run({L"SOUND.DTA"}, [](HWND install) {
        GiveUpMissingInf([install](HWND find) {
            EXPECT_EQ(WindowText(install), kTitle);
            EXPECT_EQ(ItemText(install, IDC_INSTALL_HEADING),
                      L"Installing applications - Please wait...");
            EXPECT_EQ(ItemText(install, IDC_INSTALL_DESCRIPTION), L"100%s%n Sound (1/3)");
            EXPECT_EQ(ItemText(install, IDC_INSTALL_STATUS), L"");
            // The run's worker asks, and it runs at the lowest priority.
            HANDLE worker = ::OpenThread(THREAD_QUERY_INFORMATION, FALSE,
                                         ::GetWindowThreadProcessId(find, nullptr));
            EXPECT_EQ(::GetThreadPriority(worker), THREAD_PRIORITY_LOWEST);
            ::CloseHandle(worker);
        });
    });
    // Giving the file up abandons the item.
    EXPECT_EQ(m_dialog.m_itemsDone, kNotDone);
}

TEST_F(InfItem, FileFoundByTheOperatorIsCarriedOnAndTheNextOneFollows) {
    WriteInfItem("Net (x)", "Exe_File1=missing.inf\r\nExe_File2=Sub\\missing.inf\r\n");
    const std::wstring given = m_dir.Path().wstring();
    Run({L"SOUND.DTA"}, [&given](HWND install) {
        HWND find = WaitForOwnDialog(L"Find Files... - Missing MISSING.INF");
        ASSERT_NE(find, nullptr);
        ::SendMessageW(::GetDlgItem(find, IDC_FINDFILE_DIR), WM_SETTEXT, 0,
                       reinterpret_cast<LPARAM>(given.c_str()));
        PressButton(find, IDOK);
        ASSERT_TRUE(WaitForWindowGone(find));
        GiveUpMissingInf([install](HWND) {
            EXPECT_EQ(ItemText(install, IDC_INSTALL_DESCRIPTION), L"Net (1/2)");
        });
    });
    EXPECT_EQ(m_dialog.m_itemsDone, kNotDone);
}

TEST_F(InfItem, ItemIsInstalledWhenEachOfItsSectionsWasCarriedOut) {
    WriteInfItem("Sound", "Exe_File1=present.inf\r\nExe_File2=present.inf\r\n");
    Run({L"SOUND.DTA"});
    EXPECT_EQ(m_dialog.m_itemsDone, kDone);

    // A setup item with neither program nor INF file carries nothing out.
    WriteInfItem("Sound", "");
    CInstallDlg empty{WindowsVersionFlags{}};
    Prepare(empty, {L"SOUND.DTA"});
    Run(empty);
    EXPECT_EQ(empty.m_itemsDone, kNotDone);
}

TEST_F(InfItem, ItemWhoseSectionWasCancelledIsNotInstalled) {
    // Many files for the section to copy, so that Cancel comes while it copies.
    ::CreateDirectoryW((m_strRoot + L"disk").c_str(), nullptr);
    std::string files;
    std::string sources;
    for (int i = 0; i < 300; ++i) {
        const std::string name = "F" + std::to_string(i) + ".SYS";
        WriteBytes(m_strRoot + L"disk\\" + std::wstring(name.begin(), name.end()), name);
        files += name + "\r\n";
        sources += name + "=100,disk\r\n";
    }
    WriteSourceFile(L"Sound", L"many.inf",
                    "[many.inf]\r\nCopyFiles=Files\r\n[DestinationDirs]\r\nFiles=100,out\r\n"
                    "[SourceDisksFiles]\r\n" +
                        sources + "[Files]\r\n" + files);
    WriteInfItem("Sound", "Exe_File1=many.inf\r\n");

    Prepare(m_dialog, {L"SOUND.DTA"});
    std::thread user([] {
        HWND copy = WaitForOwnDialog(L"Copy Files...");
        ASSERT_NE(copy, nullptr);
        PressButton(copy, IDCANCEL);
    });
    Run(m_dialog);
    user.join();

    EXPECT_EQ(m_dialog.m_itemsDone, kNotDone);
    EXPECT_LT(CountFiles(m_strRoot + L"out"), 300);
}

// --- What counts as installed -----------------------------------------------------------

TEST_F(InstallRunTest, OnlyItemsCarriedOutCountAsInstalled) {
    WriteSourceFile(m_strLocalName, L"a.txt", "a");
    const std::string local(m_strLocalName.begin(), m_strLocalName.end());
    WriteDescription(L"COPY.DTA", "SourceDir=" + local + "\r\nInstallation_Type=RunOnce\r\n");
    WriteDescription(L"ODD.DTA", "SourceDir=" + local + "\r\nInstallation_Type=runonce\r\n");
    WriteDescription(L"EMPTY.DTA", "SourceDir=NoSuchDir\r\nInstallation_Type=RunOnce\r\n");

    Run({L"COPY.DTA", L"none", L"MISSING.DTA", L"ODD.DTA", L"EMPTY.DTA"});

    EXPECT_EQ(m_dialog.m_itemsDone, (std::vector<bool>{true, false, false, false, false}));
    EXPECT_FALSE(m_dialog.AllItemsDone());
    EXPECT_FALSE(FileExists(L"C:\\I386\\NoSuchDir"));

    CInstallDlg skipped{WindowsVersionFlags{}};
    Prepare(skipped, {L"none", L"COPY.DTA", L"none"});
    Run(skipped);
    EXPECT_EQ(skipped.m_itemsDone, (std::vector<bool>{false, true, false}));
    EXPECT_TRUE(skipped.AllItemsDone());
}

TEST_F(InstallRunTest, WithoutSourceNothingIsInstalled) {
    WriteSourceFile(m_strLocalName, L"a.txt", "a");
    const std::string local(m_strLocalName.begin(), m_strLocalName.end());
    WriteDescription(L"COPY.DTA", "SourceDir=" + local + "\r\nInstallation_Type=RunOnce\r\n");
    Prepare(m_dialog, {L"COPY.DTA"});
    m_dialog.m_strSourceRoot.clear();

    Run(m_dialog);

    EXPECT_EQ(m_dialog.m_itemsDone, kNotDone);
    EXPECT_FALSE(FileExists(m_local / L"a.txt"));
}

// --- Language -------------------------------------------------------------------------------

// The run takes the language that Master.log names, as it stands, even when Install.ini has no
// such section: the texts then fall back to the program's own.
TEST_F(InfItem, HeadingIsInTheLanguageThatMasterLogNames) {
    UseInstallIni("[General]\r\nTitle=Install run test\r\nDefaultLangDisplay=English\r\n"
                  "[English]\r\nMain=English heading\r\nMain_drv=English drivers\r\n"
                  "[Deutsch]\r\nMain=Deutsche Anwendungen\r\nMain_drv=Deutsche Treiber\r\n");
    WriteInfItem("Sound", "Exe_File1=missing.inf\r\n");
    // The source root lies on C:, whose root then holds the source's Master.log.
    ASSERT_EQ(m_strRoot.substr(0, 3), L"C:\\");
    PreservedFile master(L"C:\\Master.log");
    const struct {
        const char* language;
        bool drivers;
        const wchar_t* heading;
    } cases[] = {
        {"Deutsch", false, L"Deutsche Anwendungen"},
        {"Deutsch", true, L"Deutsche Treiber"},
        {"Klingon", false, L"Installing applications - Please wait..."},
        {"Klingon", true, L"Installing drivers - Please wait..."},
    };
    for (const auto& c : cases) {
        WriteAnsi(master.Path(), std::string("[Master]\r\nLanguage=") + c.language + "\r\n");
        CInstallDlg dialog{WindowsVersionFlags{}};
        Prepare(dialog, {L"SOUND.DTA"});
        if (c.drivers) {
            // The same item as a driver.
            const std::string item = ReadBytes(m_strAppsDir + L"\\DTA\\SOUND.DTA");
            ::CreateDirectoryW((m_strI386 + L"\\DRV").c_str(), nullptr);
            ::CreateDirectoryW((m_strI386 + L"\\DRV\\DTA").c_str(), nullptr);
            WriteBytes(m_strI386 + L"\\DRV\\DTA\\SOUND.DTA", "[Drv]" + item.substr(5));
            dialog.m_strItemDir = m_strI386 + L"\\DRV";
            dialog.m_bDriverMode = true;
        }
        Run(dialog, [&c](HWND install) {
            GiveUpMissingInf([&](HWND) {
                EXPECT_EQ(ItemText(install, IDC_INSTALL_HEADING), c.heading) << c.language;
            });
        });
    }
}

// --- Leftovers and the restart question ---------------------------------------------------

const wchar_t kRebootFlag[] = L"C:\\Windows\\brelmak.flg";

struct ExitCalls {
    int count = 0;
    UINT flags = 0;
} g_exits;

BOOL WINAPI RecordExit(UINT flags, DWORD) {
    ++g_exits.count;
    g_exits.flags = flags;
    return TRUE;
}

class RestartQuestion : public SetupItem {
protected:
    RestartQuestion() { g_exits = {}; }

    // A run whose setup leaves the reboot flag file behind, answered with `answer`.
    std::vector<AnsweredBox> RunLeavingTheFlag(int nt5, int answer) {
        WriteSetup(L"Word", "/flag:" + std::string(kRebootFlag, kRebootFlag + wcslen(kRebootFlag)));
        CInstallDlg dialog{WindowsVersionFlags{nt5, 0}};
        Prepare(dialog, {L"SETUP.DTA"});
        dialog.m_exitWindows = RecordExit;
        MessageBoxAnswerer answerer(answer);
        Run(dialog);
        EXPECT_EQ(dialog.m_itemsDone, kDone);
        return answerer.Stop();
    }
};

TEST_F(RestartQuestion, OnWindows5ItHasOkOnlyAndNeverRestarts) {
    UseInstallIni("[English]\r\nreboot=Restart later, please.\r\n");
    std::vector<AnsweredBox> boxes = RunLeavingTheFlag(1, IDOK);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, L"Melvorin");
    EXPECT_EQ(boxes[0].text, L"Restart later, please.");
    EXPECT_FALSE(boxes[0].hasCancel);
    EXPECT_EQ(g_exits.count, 0);
}

TEST_F(RestartQuestion, ElsewhereOkRestartsWindowsThroughTheRestartHelper) {
    std::vector<AnsweredBox> boxes = RunLeavingTheFlag(0, IDOK);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, L"To complete the installation, the Melvorin will restart your PC.\n"
                             L"Click on 'Cancel' if you wish to restart manually later.");
    EXPECT_TRUE(boxes[0].hasCancel);
    EXPECT_EQ(g_exits.count, 1);
    EXPECT_EQ(g_exits.flags, UINT(EWX_REBOOT));
}

TEST_F(RestartQuestion, CancelDoesNotRestart) {
    std::vector<AnsweredBox> boxes = RunLeavingTheFlag(0, IDCANCEL);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(g_exits.count, 0);
}

// A flag and the "__vers" files of an earlier run are removed first, so the question is asked
// only for what this run left behind.
TEST_F(RestartQuestion, LeftoversOfEarlierRunsAreRemovedAndAskNothing) {
    PreservedFile vers(L"C:\\Windows\\__vers");
    PreservedFile infVers(L"C:\\Windows\\inf\\__vers");
    for (const std::wstring& path : {vers.Path(), infVers.Path(), m_rebootFlag.Path()}) {
        WriteBytes(path, "left over");
        ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY);
    }
    WriteSetup(L"Word", "/s");
    CInstallDlg dialog{WindowsVersionFlags{0, 0}};
    Prepare(dialog, {L"SETUP.DTA"});
    dialog.m_exitWindows = RecordExit;
    MessageBoxAnswerer answerer(IDOK);

    Run(dialog);

    EXPECT_TRUE(answerer.Stop().empty());
    EXPECT_EQ(dialog.m_itemsDone, kDone);
    EXPECT_FALSE(FileExists(vers.Path()));
    EXPECT_FALSE(FileExists(infVers.Path()));
    EXPECT_FALSE(FileExists(m_rebootFlag.Path()));
    EXPECT_EQ(g_exits.count, 0);
}

TEST_F(RestartQuestion, WithoutSourceTheFlagIsRemovedAndNothingIsAsked) {
    WriteBytes(m_rebootFlag.Path(), "left over");
    const std::wstring log = WriteSetup(L"Word", "/flag:C:\\Windows\\brelmak.flg");
    Prepare(m_dialog, {L"SETUP.DTA"});
    m_dialog.m_strSourceRoot.clear();
    MessageBoxAnswerer answerer(IDOK);

    Run(m_dialog);

    EXPECT_TRUE(answerer.Stop().empty());
    EXPECT_EQ(m_dialog.m_itemsDone, kNotDone);
    EXPECT_FALSE(FileExists(m_rebootFlag.Path()));
    EXPECT_FALSE(FileExists(log));
}

TEST_F(InstallRunTest, OnWindows2000TheLeftoversAreBelowWinntAndItsTempIsMade) {
    ScopedDirectory winnt(L"C:\\Winnt");
    ScopedDirectory system32(L"C:\\Winnt\\system32");
    ScopedDirectory system(L"C:\\Winnt\\system");
    ScopedDirectory inf(L"C:\\Winnt\\inf");
    const std::vector<std::wstring> leftovers = {
        L"C:\\Winnt\\inf\\__vers", L"C:\\Winnt\\system\\__vers", L"C:\\Winnt\\system32\\__vers",
        L"C:\\Winnt\\__vers", L"C:\\Winnt\\brelmak.flg"};
    std::vector<std::unique_ptr<PreservedFile>> preserved;
    for (const std::wstring& path : leftovers) {
        preserved.push_back(std::make_unique<PreservedFile>(path));
        WriteBytes(path, "left over");
    }
    CInstallDlg dialog{WindowsVersionFlags{1, 1}};
    Prepare(dialog, {});
    MessageBoxAnswerer answerer(IDOK);

    Run(dialog);

    EXPECT_TRUE(answerer.Stop().empty());
    for (const std::wstring& path : leftovers)
        EXPECT_FALSE(FileExists(path)) << testing::PrintToString(path);
    EXPECT_TRUE(FileExists(L"C:\\Winnt\\Temp"));
    EXPECT_TRUE(dialog.m_itemsDone.empty());
    EXPECT_TRUE(dialog.AllItemsDone());
}

} // namespace
