// The rules of the file-operation scripts and the registry-deletion script, as tables.
#include "common/LineFile.h"
#include "common/TextCase.h"
#include "common/TextFile.h"
#include "install/FileOpFixture.h"
#include "install/FileOpScript.h"
#include "install/RegistryScript.h"
#include "install/ReplaceFileDlg.h"
#include "install/core/BundleRules.h"
#include "support/FileBytes.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::wstring>;

const std::string kMark = "\xFF\xFE";

TEST(FileOpRules, AttributeListsCombineTheirTokens) {
    const struct {
        const wchar_t* list;
        DWORD attributes;
    } rows[] = {
        {L"", FILE_ATTRIBUTE_NORMAL},
        {L"N", FILE_ATTRIBUTE_NORMAL},
        {L"RO/H", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN},
        {L"S/A", FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE},
        {L"RO/RO", FILE_ATTRIBUTE_READONLY}, // combined, not summed into "hidden"
        {L"ro", 0},                          // tokens are compared exactly
        {L"RO/X/", FILE_ATTRIBUTE_READONLY},
    };
    for (const auto& row : rows)
        EXPECT_EQ(AttributesOf(row.list), row.attributes) << row.list;
}

TEST(FileOpRules, CopyLinesSplitAtBars) {
    CopyLine line = ParseCopyLine(L"APPS\\a.dll|C:\\x\\a.dll|RO/A");
    EXPECT_EQ(line.source, L"APPS\\a.dll");
    EXPECT_EQ(line.destination, L"C:\\x\\a.dll");
    EXPECT_EQ(line.attributes, DWORD{FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE});
    EXPECT_FALSE(line.OnlyCreatesDirectory());
    EXPECT_EQ(line.DirectoryToCreate(), L"C:\\x");

    line = ParseCopyLine(L"a.dll|C:\\x\\a.dll");
    EXPECT_EQ(line.attributes, DWORD{FILE_ATTRIBUTE_NORMAL});

    line = ParseCopyLine(L"<|C:\\NEWDIR|A");
    EXPECT_TRUE(line.OnlyCreatesDirectory());
    EXPECT_EQ(line.DirectoryToCreate(), L"C:\\NEWDIR");
    EXPECT_EQ(line.attributes, DWORD{FILE_ATTRIBUTE_ARCHIVE});
}

TEST(FileOpRules, RenameLinesSplitAtBars) {
    const RenameLine line = ParseRenameLine(L"C:\\old\\a.txt|C:\\new\\b.txt|H");
    EXPECT_EQ(line.oldPath, L"C:\\old\\a.txt");
    EXPECT_EQ(line.newPath, L"C:\\new\\b.txt");
    EXPECT_EQ(line.attributes, DWORD{FILE_ATTRIBUTE_HIDDEN});
    EXPECT_FALSE(line.OnlySetsAttributes());
    EXPECT_TRUE(ParseRenameLine(L"*|C:\\new\\b.txt|RO").OnlySetsAttributes());
}

TEST(FileOpRules, TargetsMustBeDriveRooted) {
    EXPECT_TRUE(IsDriveRootedPath(L"C:\\x"));
    EXPECT_TRUE(IsDriveRootedPath(L"z:\\"));
    EXPECT_FALSE(IsDriveRootedPath(L"C:x"));
    EXPECT_FALSE(IsDriveRootedPath(L"x\\C:\\y"));
    EXPECT_FALSE(IsDriveRootedPath(L"\\\\server\\share\\x"));
    EXPECT_FALSE(IsDriveRootedPath(L"a.dll"));
    EXPECT_FALSE(IsDriveRootedPath(L""));
}

TEST(FileOpRules, ExtractModesAreOneStepAheadOfCopyModes) {
    const struct {
        const wchar_t* setting;
        int copy;
        int extract;
    } rows[] = {
        {L"none", 1, 2}, {L"0", 0, 1}, {L"1", 1, 2}, {L"2", 2, 3}, {L"3", 3, 4}, {L"yes", 0, 1},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(CopyVersionMode(row.setting), row.copy) << row.setting;
        EXPECT_EQ(ExtractVersionMode(row.setting), row.extract) << row.setting;
    }
}

TEST(FileOpRules, VersionCheckDecisions) {
    using D = ReplaceDecision;
    const struct {
        int mode;
        std::int64_t existing;
        std::int64_t incoming;
        D decision;
    } rows[] = {
        {0, 200, 100, D::Replace}, // no check at all, also over a newer file
        {1, 100, 200, D::Replace}, {1, 200, 100, D::Keep}, {1, 100, 100, D::Replace},
        {2, 100, 200, D::Ask},     {2, 200, 100, D::Keep}, {2, 100, 100, D::Ask},
        {3, 100, 200, D::Keep},    {4, 100, 200, D::Ask},  {4, 201, 200, D::Keep},
    };
    for (const auto& row : rows)
        EXPECT_EQ(DecideReplace(row.mode, row.existing, row.incoming), row.decision)
            << row.mode << " " << row.existing << " " << row.incoming;
}

TEST(FileOpRules, AnswersToAllHoldForTheRestOfTheScript) {
    EXPECT_TRUE(AnswerReplaces(CReplaceFileDlg::Yes));
    EXPECT_TRUE(AnswerReplaces(CReplaceFileDlg::YesToAll));
    EXPECT_FALSE(AnswerReplaces(CReplaceFileDlg::No));
    EXPECT_FALSE(AnswerReplaces(CReplaceFileDlg::NoToAll));
    EXPECT_EQ(ModeAfterAnswer(2, CReplaceFileDlg::Yes), 2);
    EXPECT_EQ(ModeAfterAnswer(2, CReplaceFileDlg::No), 2);
    EXPECT_EQ(ModeAfterAnswer(2, CReplaceFileDlg::YesToAll), 0);
    EXPECT_EQ(ModeAfterAnswer(4, CReplaceFileDlg::NoToAll), 3);
}

TEST(FileOpRules, FileTimesBecomeUtcSeconds) {
    const FILETIME epoch{0xD53E8000, 0x019DB1DE}; // 1970-01-01 00:00:00 UTC
    EXPECT_EQ(UtcSecondsOf(epoch), 0);
    const std::uint64_t later = 0x019DB1DED53E8000ull + 10000000ull * 86400 + 9999999;
    EXPECT_EQ(UtcSecondsOf(FILETIME{static_cast<DWORD>(later), static_cast<DWORD>(later >> 32)}),
              86400);
}

// ---- reading scripts ----

class ScriptReading : public ::testing::Test {
protected:
    Lines TextScript(const std::string& bytes, const wchar_t* header) {
        WriteBytes(Path(), bytes);
        CTextFile file;
        EXPECT_TRUE(file.Open(Path()));
        return ReadScriptLines(file, header);
    }
    Lines LineScript(const std::string& bytes, const wchar_t* header) {
        WriteBytes(Path(), bytes);
        CLineFile file;
        EXPECT_TRUE(file.Open(Path(), CLineFile::modeRead));
        return ReadScriptLines(file, header);
    }
    std::wstring Path() const { return (m_dir / L"script.txt").wstring(); }

    TempDir m_dir;
};

TEST_F(ScriptReading, CopyScriptsReadAnsiAndMarkedUnicode) {
    const Lines expected{L"a|C:\\a", L"<|C:\\d", L"[del]"};
    EXPECT_EQ(TextScript("; note\r\n[Copy]\r\na|C:\\a\r\n\r\n<|C:\\d\r\n[del]", L"[copy]"),
              expected);
    EXPECT_EQ(TextScript(kMark + Utf16(L"[COPY]\r\na|C:\\a\r\n<|C:\\d\r\n[del]\r\n"), L"[copy]"),
              expected);
}

TEST_F(ScriptReading, AScriptWithoutItsHeaderHasNoLines) {
    EXPECT_TRUE(TextScript("a|C:\\a\r\n", L"[copy]").empty());
    EXPECT_TRUE(TextScript("a|C:\\a\r\n[copy]", L"[copy]").empty()); // header on the last line
    EXPECT_TRUE(TextScript("", L"[extract]").empty());
}

TEST_F(ScriptReading, LineScriptsAreUnicodeWithoutMark) {
    EXPECT_EQ(LineScript(Utf16(L"[DEL]\r\nC:\\a.txt\r\nC:\\b.txt"), L"[del]"),
              (Lines{L"C:\\a.txt", L"C:\\b.txt"}));
    // A mark right before the header makes it another line; an ANSI script reads as one
    // line of other characters. Neither deletes anything.
    EXPECT_TRUE(LineScript(kMark + Utf16(L"[del]\r\nC:\\a.txt\r\n"), L"[del]").empty());
    EXPECT_TRUE(LineScript("[del]\r\nC:\\a.txt\r\n", L"[del]").empty());
    // A mark before some other first line does no harm.
    EXPECT_EQ(LineScript(kMark + Utf16(L"; bundle\r\n[del]\r\nC:\\a.txt\r\n"), L"[del]"),
              (Lines{L"C:\\a.txt"}));
}

// ---- registry-deletion script ----

TEST(RegistryScriptRules, LinesSplitIntoFields) {
    RegistryScriptLine line =
        ParseRegistryScriptLine(L"HKEY_CURRENT_USER\\Software\\V\\App|Value|Path|String|HKCU");
    EXPECT_EQ(line.rootName, L"HKEY_CURRENT_USER");
    EXPECT_EQ(line.subkey, L"Software\\V\\App");
    EXPECT_TRUE(line.DeletesValue());
    EXPECT_EQ(line.valueName, L"Path");
    EXPECT_EQ(line.valueType, L"String");
    EXPECT_EQ(line.rest, L"HKCU");

    line = ParseRegistryScriptLine(L"HKEY_USERS\\x");
    EXPECT_EQ(line.subkey, L"x");
    EXPECT_FALSE(line.DeletesValue());
    EXPECT_TRUE(line.rest.empty());

    EXPECT_FALSE(ParseRegistryScriptLine(L"HKEY_USERS\\x|value|v").DeletesValue());
    EXPECT_EQ(ParseRegistryScriptLine(L"HKEY_USERS\\x|Value|@").RegistryValueName(), L"");
    EXPECT_TRUE(ParseRegistryScriptLine(L"HKEY_CURRENT_USER\\").subkey.empty());
}

TEST(RegistryScriptRules, RootNames) {
    EXPECT_EQ(RegistryRootOf(L"HKEY_CLASSES_ROOT"), HKEY_CLASSES_ROOT);
    EXPECT_EQ(RegistryRootOf(L"HKEY_CURRENT_USER"), HKEY_CURRENT_USER);
    EXPECT_EQ(RegistryRootOf(L"HKEY_USERS"), HKEY_USERS);
    EXPECT_EQ(RegistryRootOf(L"HKEY_LOCAL_MACHINE"), HKEY_LOCAL_MACHINE);
    EXPECT_EQ(RegistryRootOf(L"HKLM"), HKEY_LOCAL_MACHINE);
    EXPECT_EQ(RegistryRootOf(L"HKEY_CURRENT_CONFIG"), HKEY_LOCAL_MACHINE);
    EXPECT_EQ(RegistryRootOf(L"hkey_current_user"), HKEY_LOCAL_MACHINE);
}

TEST(BundleRules, KindsByTheEndOfThePathInAnyLetterCase) {
    using installcore::BundleKind;
    const struct {
        const wchar_t* path;
        BundleKind kind;
    } cases[] = {
        {L"C:\\WINDOWS\\INF\\ASM\\FONTS.COP", BundleKind::Copy},
        {L"a.Del", BundleKind::Delete},
        {L"a.cfl", BundleKind::Extract},
        {L"a.RGD", BundleKind::RegistryScript},
        {L"a.reg", BundleKind::RegistryImport},
        {L"a.cop.txt", BundleKind::None},
        {L"cop", BundleKind::None},
        {L"", BundleKind::None},
    };
    for (const auto& c : cases)
        EXPECT_EQ(installcore::BundleKindOf(std::wstring(c.path), MakeLower), c.kind)
            << testing::PrintToString(c.path);
}

TEST(BundleRules, ExtractionsAreToldByTheirFirstAnsiBytes) {
    using installcore::SniffsAsExtract;
    EXPECT_TRUE(SniffsAsExtract("[Bundle]\r\n; [EXTRACT]\r\n"));
    EXPECT_FALSE(SniffsAsExtract("[Bundle]\r\n[copy]\r\n"));
    // Text after the first zero byte, and beyond the first 255 bytes, is not looked at.
    EXPECT_FALSE(SniffsAsExtract(std::string("[\0extract]", 10)));
    EXPECT_FALSE(SniffsAsExtract(std::string(250, ' ') + "[extract]"));
    EXPECT_TRUE(SniffsAsExtract(std::string(246, ' ') + "[extract]"));
}

TEST(RegistryScriptRules, PciDevicePatterns) {
    EXPECT_EQ(PciDevicePattern(L"Enum\\PCI\\VEN_8086&DEV_7190&SUBSYS_00000000&REV_03\\BUS_00&"
                               L"DEV_00&FUNC_00"),
              L"VEN_8086&DEV_7190");
    EXPECT_EQ(PciDevicePattern(L"enum\\pci\\VEN_1&DEV_2"), L"VEN_1&DEV_2");
    EXPECT_EQ(PciDevicePattern(L"Software\\VEN_1&DEV_2"), L"");
    // No device at all: nothing would be told apart, so nothing matches.
    EXPECT_EQ(PciDevicePattern(L"Enum\\PCI"), L"");
}

} // namespace
