// The decisions of the installation run, without windows.
#include "install/InstallRules.h"

#include <gtest/gtest.h>

namespace {

TEST(InstallRules, InstallationTypesAreComparedExactly) {
    const struct {
        const wchar_t* value;
        InstallationType type;
    } cases[] = {
        {L"RunOnce\\Setup", InstallationType::Setup},
        {L"RunOnce", InstallationType::Copy},
        {L"Desktop", InstallationType::Desktop},
        {L"runonce", InstallationType::Unknown},
        {L"DESKTOP", InstallationType::Unknown},
        {L"RunOnce\\Setup ", InstallationType::Unknown},
        {L"none", InstallationType::Unknown},
        {L"", InstallationType::Unknown},
    };
    for (const auto& c : cases)
        EXPECT_EQ(InstallationTypeOf(c.value), c.type) << testing::PrintToString(c.value);
}

TEST(InstallRules, ASetupProgramEndsWithExeInAnyLetterCase) {
    EXPECT_TRUE(NamesSetupProgram(L"Setup.exe"));
    EXPECT_TRUE(NamesSetupProgram(L"C:\\Tools\\Setup.EXE"));
    EXPECT_FALSE(NamesSetupProgram(L"setup.exe /s"));
    EXPECT_FALSE(NamesSetupProgram(L"driver.inf"));
    EXPECT_FALSE(NamesSetupProgram(L"none"));
    EXPECT_FALSE(NamesSetupProgram(L"exe"));
}

TEST(InstallRules, SetupProgramIsTakenAsGivenWhenAbsolute) {
    EXPECT_EQ(SetupProgramPath(L"C:\\Tools\\Setup.EXE", L"X:\\I386\\Word"),
              L"C:\\Tools\\Setup.EXE");
    EXPECT_EQ(SetupProgramPath(L"Setup.exe", L"X:\\I386\\Word"), L"X:\\I386\\Word\\Setup.exe");
    EXPECT_EQ(SetupProgramPath(L"Disk1\\Setup.exe", L"X:\\I386\\Word"),
              L"X:\\I386\\Word\\Disk1\\Setup.exe");
}

TEST(InstallRules, SetupCommandLineQuotesAProgramWithBlanks) {
    const struct {
        const wchar_t* program;
        const wchar_t* cmdLine;
        const wchar_t* expected;
    } cases[] = {
        {L"X:\\I386\\Word\\setup.exe", L"none", L"X:\\I386\\Word\\setup.exe"},
        {L"X:\\I386\\Word\\setup.exe", L"/s /v\"x y\"", L"X:\\I386\\Word\\setup.exe /s /v\"x y\""},
        {L"X:\\I386\\My Word\\setup.exe", L"none", L"\"X:\\I386\\My Word\\setup.exe\""},
        {L"X:\\I386\\My Word\\setup.exe", L"/s", L"\"X:\\I386\\My Word\\setup.exe\" /s"},
        {L"X:\\I386\\Tab\tWord\\setup.exe", L"/s", L"\"X:\\I386\\Tab\tWord\\setup.exe\" /s"},
        // CmdLine is used as written, also when empty.
        {L"X:\\setup.exe", L"", L"X:\\setup.exe "},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SetupCommandLine(c.program, c.cmdLine), c.expected);
}

TEST(InstallRules, ShortcutArgumentsAreCmdLineUnlessNotGiven) {
    EXPECT_EQ(ShortcutArguments(L"none"), L"");
    EXPECT_EQ(ShortcutArguments(L"/open \"a b.txt\""), L"/open \"a b.txt\"");
}

TEST(InstallRules, InfProgressTextJoinsPlainText) {
    const struct {
        const wchar_t* description;
        size_t index;
        size_t count;
        const wchar_t* expected;
    } cases[] = {
        {L"Sound (SB16)", 1, 2, L"Sound (1/2)"},
        {L"Sound (SB16)", 2, 2, L"Sound (2/2)"},
        {L"Video Driver (x) (y)", 1, 3, L"Video Driver (1/3)"},
        {L"Modem", 1, 2, L"(1/2)"},
        {L"(Modem)", 1, 1, L"(1/1)"},
        {L"", 12, 31, L"(12/31)"},
        // Format directives are text like any other.
        {L"100%s%n Sound (SB16)", 1, 3, L"100%s%n Sound (1/3)"},
        {L"%d%d%d%s (x)", 2, 3, L"%d%d%d%s (2/3)"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(InfProgressText(c.description, c.index, c.count), c.expected);
}

TEST(InstallRules, InstallSectionIsTheFirstEightCharactersOfTheFileName) {
    EXPECT_EQ(InfInstallSection(L"X:\\I386\\Net\\NETDRIVER.INF"), L"NETDRIVE");
    EXPECT_EQ(InfInstallSection(L"X:\\I386\\Net\\A.INF"), L"A.INF");
    EXPECT_EQ(InfInstallSection(L"X:\\I386\\Net\\Sub\\ABCDEFGH.INF"), L"ABCDEFGH");
    EXPECT_EQ(InfInstallSection(L"NOPATH12.INF"), L"NOPATH12");
    EXPECT_EQ(InfInstallSection(L"X:\\I386\\Net\\"), L"");
}

TEST(InstallRules, OnlyASafeRelativeSourceDirIsAcceptedForCopies) {
    const struct {
        const wchar_t* sourceDir;
        bool accepted;
    } cases[] = {
        {L"Word", true},
        {L"Office\\Word 2000", true},
        {L"Office/Word", true},
        {L"none", false},
        {L"", false},
        {L"..\\WINDOWS", false},
        {L"Word\\..\\..\\WINDOWS", false},
        {L".", false},
        {L"C:\\WINDOWS", false},
        {L"C:WINDOWS", false},
        {L"\\WINDOWS", false},
        {L"Word\\", false},
        {L"Word\\\\Sub", false},
        {L"Word.", false},
        {L"Word ", false},
        {L"CON", false},
        {L"Word\\nul.txt", false},
        {L"Wo*rd", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsAcceptedSourceDir(c.sourceDir), c.accepted)
            << testing::PrintToString(c.sourceDir);
}

TEST(InstallRules, OnlyASetupProgramGivenWithItsDriveTakesNothingFromTheSourceDir) {
    const struct {
        InstallationType type;
        const wchar_t* exeFile;
        bool takes;
    } cases[] = {
        {InstallationType::Setup, L"setup.exe", true},
        {InstallationType::Setup, L"Sub\\SETUP.EXE", true},
        {InstallationType::Setup, L"C:\\Tools\\Setup.EXE", false},
        {InstallationType::Setup, L"C:\\Tools\\setup.exe /s", true}, // INF files, not a program
        {InstallationType::Setup, L"inf", true},
        {InstallationType::Copy, L"C:\\Tools\\Setup.exe", true},
        {InstallationType::Desktop, L"C:\\Tools\\Setup.exe", true},
        {InstallationType::Unknown, L"setup.exe", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TakesFromSourceDir(c.type, c.exeFile), c.takes)
            << testing::PrintToString(c.exeFile);
}

// Only a setup may go without a SourceDir: it looks in I386\none or I386 itself. A given
// SourceDir that leaves I386 refuses every kind.
TEST(InstallRules, WhichSourceDirsRefuseTheItem) {
    const struct {
        InstallationType type;
        const wchar_t* exeFile;
        const wchar_t* sourceDir;
        bool refused;
    } cases[] = {
        {InstallationType::Setup, L"setup.exe", L"Word", false},
        {InstallationType::Setup, L"setup.exe", L"none", false},
        {InstallationType::Setup, L"inf", L"", false},
        {InstallationType::Setup, L"setup.exe", L"..\\Outside", true},
        {InstallationType::Setup, L"inf", L"C:\\Outside", true},
        {InstallationType::Setup, L"C:\\Tools\\Setup.exe", L"..\\Outside", false},
        {InstallationType::Copy, L"a.exe", L"none", true},
        {InstallationType::Copy, L"a.exe", L"", true},
        {InstallationType::Desktop, L"a.exe", L"..\\Outside", true},
        {InstallationType::Desktop, L"a.exe", L"Atlas", false},
        {InstallationType::Unknown, L"a.exe", L"..\\Outside", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsRefusedSourceDir(c.type, c.exeFile, c.sourceDir), c.refused)
            << testing::PrintToString(c.sourceDir) << " " << testing::PrintToString(c.exeFile);
}

TEST(InstallRules, LocalCopyDirectoryLiesBelowCI386) {
    EXPECT_EQ(LocalCopyDir(L"Word"), L"C:\\I386\\Word");
    EXPECT_EQ(LocalCopyDir(L"Office\\Word"), L"C:\\I386\\Office\\Word");
}

TEST(InstallRules, ShortcutNameIsOneFileNameComponent) {
    const std::wstring marker = L"Desktop Shortcut";
    const struct {
        const wchar_t* description;
        const wchar_t* expected;
    } cases[] = {
        {L"Encyclopedia (Desktop Shortcut)", L"Encyclopedia"},
        {L"Encyclopedia (Desktop Shortcut) 2000", L"Encyclopedia"},
        {L"Encyclopedia (desktop shortcut)", L"Encyclopedia (desktop shortcut)"},
        {L"Encyclopedia(Desktop Shortcut)", L"Encyclopedia(Desktop Shortcut)"},
        {L"Atlas 2.0", L"Atlas 2.0"},
        {L"none", L"none"},
        // Separators and the other characters that a file name may not hold become "_".
        {L"..\\..\\Evil", L".._.._Evil"},
        {L"../Evil", L".._Evil"},
        {L"C:\\Evil", L"C__Evil"},
        {L"A<b>c:d\"e/f\\g|h?i*j", L"A_b_c_d_e_f_g_h_i_j"},
        {L"Tab\there", L"Tab_here"},
        // Blanks and dots at the end go, as the file system would drop them.
        {L"Atlas. . ", L"Atlas"},
        {L"Atlas (Desktop Shortcut) ", L"Atlas"},
        {L" Atlas", L" Atlas"},
        // Nothing usable: no shortcut.
        {L"", L""},
        {L"..", L""},
        {L" (Desktop Shortcut)", L""},
        {L"CON", L""},
        {L"con (Desktop Shortcut)", L""},
        {L"LPT1.txt", L""},
        {L"Nul.", L""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ShortcutName(c.description, marker), c.expected)
            << testing::PrintToString(c.description);
}

TEST(InstallRules, LeftoversOfEarlierRunsFollowTheWindowsDirectory) {
    const std::vector<std::wstring> win2000 = {
        L"C:\\Winnt\\inf\\__vers", L"C:\\Winnt\\system\\__vers", L"C:\\Winnt\\system32\\__vers",
        L"C:\\Winnt\\__vers", L"C:\\Winnt\\brelmak.flg"};
    EXPECT_EQ(LeftoversOfEarlierRuns(SystemLayout{true, true}), win2000);
    const std::vector<std::wstring> others = {
        L"C:\\Windows\\inf\\__vers", L"C:\\Windows\\system\\__vers",
        L"C:\\Windows\\system32\\__vers", L"C:\\Windows\\__vers", L"C:\\Windows\\brelmak.flg"};
    EXPECT_EQ(LeftoversOfEarlierRuns(SystemLayout{false, true}), others);
    EXPECT_EQ(LeftoversOfEarlierRuns(SystemLayout{false, false}), others);
}

} // namespace
