// The rules of INF processing, without windows or files.
#include "install/InfRules.h"

#include <gtest/gtest.h>

namespace {

const SystemLayout Xp{false, true};
const SystemLayout Win2000{true, true};

std::wstring Mapped(const std::wstring& spec, const SystemLayout& layout = Xp) {
    return MapInfDirectory(spec, L"X:\\", layout).value_or(L"<refused>");
}

TEST(InfRules, DirectoryIdsMapToTheWindowsDirectories) {
    const struct {
        const wchar_t* spec;
        const wchar_t* xp;
        const wchar_t* win2000;
    } cases[] = {
        {L"100", L"X:\\", L"X:\\"},
        {L"10", L"C:\\Windows", L"C:\\Winnt"},
        {L"11", L"C:\\Windows\\SYSTEM", L"C:\\Winnt\\SYSTEM"},
        {L"17", L"C:\\Windows\\INF", L"C:\\Winnt\\INF"},
        {L"13", L"C:\\Windows\\COMMAND", L"C:\\Winnt\\COMMAND"},
        {L"12", L"C:\\", L"C:\\"},
        {L"none", L"C:\\", L"C:\\"},
        {L"", L"C:\\", L"C:\\"},
        // The id is taken as written: blanks make it unknown.
        {L"11 , drivers", L"C:\\drivers", L"C:\\drivers"},
        {L" 10", L"C:\\", L"C:\\"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Mapped(c.spec, Xp), c.xp) << testing::PrintToString(c.spec);
        EXPECT_EQ(Mapped(c.spec, Win2000), c.win2000) << testing::PrintToString(c.spec);
    }
}

TEST(InfRules, SubdirectoriesAreTrimmedAndUnquoted) {
    EXPECT_EQ(Mapped(L"100,drivers"), L"X:\\drivers");
    EXPECT_EQ(Mapped(L"100,  drivers\\net  "), L"X:\\drivers\\net");
    EXPECT_EQ(Mapped(L"10,  \" Fonts \"  "), L"C:\\Windows\\Fonts");
    EXPECT_EQ(Mapped(L"11,"), L"C:\\Windows\\SYSTEM");
    EXPECT_EQ(Mapped(L"10,\"\""), L"C:\\Windows");
}

TEST(InfRules, SubdirectoriesNeverLeaveTheirDirectory) {
    for (const wchar_t* spec : {L"10,..", L"10,..\\..\\X", L"100,a\\..\\..\\b", L"10,C:\\Other",
                                L"10,\\Root", L"11,a\\\\b", L"17,CON", L"10,\"..\""}) {
        EXPECT_FALSE(MapInfDirectory(spec, L"X:\\", Xp).has_value())
            << testing::PrintToString(spec);
    }
    EXPECT_FALSE(MapInfDirectory(L"100,drivers", L"", Xp).has_value()) << "no source root";
}

TEST(InfRules, FileListsWithoutDestinationGoToSystem) {
    EXPECT_EQ(DefaultInfTargetDir(Xp), L"C:\\Windows\\System");
    EXPECT_EQ(DefaultInfTargetDir(Win2000), L"C:\\Winnt\\System");
}

TEST(InfRules, ListNamesAreTrimmedAndEmptyOnesPassedOver) {
    using Names = std::vector<std::wstring>;
    EXPECT_EQ(InfListNames(L"Files.Sys, Files.Inf"), (Names{L"Files.Sys", L"Files.Inf"}));
    EXPECT_EQ(InfListNames(L"A,,B, ,"), (Names{L"A", L"B"}));
    EXPECT_EQ(InfListNames(L""), Names{});
    EXPECT_FALSE(IsInfDirectiveGiven(L"none"));
    EXPECT_TRUE(IsInfDirectiveGiven(L"None"));
}

TEST(InfRules, FileNamesArePlainNames) {
    EXPECT_TRUE(IsInfFileName(L"DRIVER.SYS"));
    EXPECT_TRUE(IsInfFileName(L"long name.dll"));
    for (const wchar_t* name :
         {L"", L".", L"..", L"a\\b", L"a/b", L"C:x", L"*.sys", L"a?.dll", L"..\\..\\X", L"NUL"})
        EXPECT_FALSE(IsInfFileName(name)) << testing::PrintToString(name);
}

TEST(InfRules, CompressedNameReplacesTheLastCharacter) {
    EXPECT_EQ(CompressedName(L"DRIVER.DLL"), L"DRIVER.DL_");
    EXPECT_EQ(CompressedName(L"A"), L"_");
    EXPECT_EQ(CompressedName(L""), L"");
}

TEST(InfRules, RegistryLinesFollowTheFieldRule) {
    const struct {
        const wchar_t* line;
        InfRegLine reg;
    } cases[] = {
        {L"HKLM,Software\\A\\B,Name,0,\"Value\"",
         {L"HKLM", L"Software\\A\\B", L"Name", L"0", L"Value"}},
        {L" HKCU , \"Soft ware\" , \" N \" , 0 , a, b ,c ",
         {L"HKCU", L"Soft ware", L" N ", L"0", L"a, b ,c"}},
        {L"HKLM,Key,,0,v", {L"HKLM", L"Key", L"", L"0", L"v"}},
        {L"HKLM,Key,Name", {L"HKLM", L"Key", L"Name", L"", L""}},
        {L"HKLM,Key", {L"HKLM", L"Key", L"", L"", L""}},
        {L"HKLM,Key,Name,0,\"a,\"b\"", {L"HKLM", L"Key", L"Name", L"0", L"a,\"b"}},
        {L"HKLM,Key,Name,0,\"", {L"HKLM", L"Key", L"Name", L"0", L""}},
    };
    for (const auto& c : cases) {
        const InfRegLine reg = ParseInfRegLine(c.line);
        EXPECT_EQ(reg.root, c.reg.root) << testing::PrintToString(c.line);
        EXPECT_EQ(reg.subkey, c.reg.subkey) << testing::PrintToString(c.line);
        EXPECT_EQ(reg.valueName, c.reg.valueName) << testing::PrintToString(c.line);
        EXPECT_EQ(reg.flags, c.reg.flags) << testing::PrintToString(c.line);
        EXPECT_EQ(reg.value, c.reg.value) << testing::PrintToString(c.line);
    }
}

TEST(InfRules, RegistryRootsAreComparedExactly) {
    EXPECT_EQ(InfRegistryRoot(L"HKCR"), HKEY_CLASSES_ROOT);
    EXPECT_EQ(InfRegistryRoot(L"HKCU"), HKEY_CURRENT_USER);
    EXPECT_EQ(InfRegistryRoot(L"HKLM"), HKEY_LOCAL_MACHINE);
    EXPECT_EQ(InfRegistryRoot(L"HKU"), HKEY_USERS);
    EXPECT_EQ(InfRegistryRoot(L"HKCC"), HKEY_CURRENT_CONFIG);
    for (const wchar_t* root : {L"hklm", L"HKEY_LOCAL_MACHINE", L"HKLM ", L"", L"HK"})
        EXPECT_EQ(InfRegistryRoot(root), nullptr) << testing::PrintToString(root);
}

TEST(InfRules, FlagsReadTheirLeadingDecimalDigits) {
    const struct {
        const wchar_t* flags;
        int value;
    } cases[] = {
        {L"0", 0},
        {L"", 0},
        {L"0x00010001", 0},
        {L"0x1", 0},
        {L"1", 1},
        {L"00", 0},
        {L"12ab", 12},
        {L"abc", 0},
        {L"-1", -1},
        {L"+0", 0},
        {L"99999999999", 0x7FFFFFFF},
    };
    for (const auto& c : cases)
        EXPECT_EQ(InfRegFlags(c.flags), c.value) << testing::PrintToString(c.flags);
}

TEST(InfRules, CommentsAndTheReservedValueName) {
    EXPECT_TRUE(IsInfComment(L";HKLM,Key,Name,0,v"));
    EXPECT_FALSE(IsInfComment(L" ;indented"));
    EXPECT_FALSE(IsInfComment(L""));
    EXPECT_TRUE(IsReservedValueName(L"Bundle Configuration"));
    EXPECT_FALSE(IsReservedValueName(L"bundle configuration"));
}

TEST(InfRules, IniLinesAndTheirFiles) {
    const InfIniLine ini = ParseInfIniLine(L"system.ini, drivers32 , \"old=1\", \"new=a,b\"");
    EXPECT_EQ(ini.iniName, L"system.ini");
    EXPECT_EQ(ini.section, L"drivers32");
    EXPECT_EQ(ini.oldEntry, L"old=1");
    EXPECT_EQ(ini.newEntry, L"new=a,b");

    EXPECT_EQ(InfIniPath(L"win.ini", Xp).value_or(L""), L"C:\\Windows\\win.ini");
    EXPECT_EQ(InfIniPath(L"system32\\x.ini", Win2000).value_or(L""), L"C:\\Winnt\\system32\\x.ini");
    for (const wchar_t* name : {L"..\\boot.ini", L"C:\\boot.ini", L"\\boot.ini", L"", L"a\\..\\b"})
        EXPECT_FALSE(InfIniPath(name, Xp).has_value()) << testing::PrintToString(name);
}

} // namespace
