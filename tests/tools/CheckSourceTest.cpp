// The recovery-source checker: a clean minimal source, then a table of sources broken in one
// place each, every check shown to fire with its file and line.
#include "SourceFixture.h"

#include "archive/ArchiveText.h"
#include "archive/ContainerBuilder.h"
#include "archive/FixtureFiles.h"
#include "tools/CheckSource.h"
#include "tools/InpTool.h"
#include "tools/SourceReport.h"
#include "tools/SourceTree.h"

#include <gtest/gtest.h>

#include <functional>
#include <sstream>

namespace {

struct Outcome {
    int status = 0;
    std::string out;
    std::string err;
};

Outcome Check(const CSourceFixture& source, std::vector<std::u16string> extra = {}) {
    std::vector<std::u16string> args = {u"check-source", ArchiveTextOf(source.Root()),
                                        u"--install-ini", ArchiveTextOf(source.InstallIni())};
    args.insert(args.end(), extra.begin(), extra.end());
    std::ostringstream out;
    std::ostringstream err;
    const int status = RunInpTool(args, out, err);
    return {status, out.str(), err.str()};
}

TEST(CheckSource, MinimalSourceIsClean) {
    CSourceFixture source;
    const Outcome outcome = Check(source);
    EXPECT_EQ(outcome.status, 0) << outcome.out;
    EXPECT_EQ(outcome.out, "");
}

// One broken thing, and the one problem it must give: "FILE[:LINE]: CHECK: ".
struct BrokenSource {
    const char* name;
    std::function<void(const CSourceFixture&)> breakIt;
    std::string expected;
};

const std::string kInstallIniName = "<Install.ini>";

const BrokenSource kBrokenSources[] = {
    {"MasterLogMissing", [](auto& s) { s.Remove("Master.log"); }, "Master.log: master-log: "},
    {"LanguageWithoutSection",
     [](auto& s) { s.Write("Master.log", "[Master]\nLanguage=Klingon\n"); },
     "Master.log:2: master-language: "},
    {"MasterLogWithLineFeedsOnly",
     [](auto& s) { s.WriteBytesOf("Master.log", "[Master]\nLanguage=English\n"); },
     "Master.log: line-breaks: "},
    {"DefaultLanguageWithoutSection",
     [](auto& s) {
         s.WriteInstallIni("[General]\nDefaultLangDisplay=Elvish\n[English]\nTitle=x\n"
                           "[ExcludePath]\nc:\\windows\\temp\n");
     },
     kInstallIniName + ": language: "},
    {"DescriptionMissing",
     [](auto& s) { s.Replace("I386/APPS/DTA/setup.dta", "Description=Notes\n", ""); },
     "I386\\APPS\\DTA\\setup.dta: description: "},
    {"DriverFileWithAppSection",
     [](auto& s) { s.Replace("I386/DRV/DTA/video.dta", "[Drv]", "[App]"); },
     "I386\\DRV\\DTA\\video.dta: description: "},
    {"InstallationTypeUnknown",
     [](auto& s) {
         s.Replace("I386/APPS/DTA/desk.dta", "Installation_Type=Desktop",
                   "Installation_Type=desktop");
     },
     "I386\\APPS\\DTA\\desk.dta:3: installation-type: "},
    {"SourceDirUnsafe",
     [](auto& s) { s.Replace("I386/APPS/DTA/desk.dta", "SourceDir=ATLAS", "SourceDir=..\\ATLAS"); },
     "I386\\APPS\\DTA\\desk.dta:4: source-dir: "},
    {"SourceDirMissingWhereCopied",
     [](auto& s) { s.Replace("I386/APPS/DTA/desk.dta", "SourceDir=ATLAS\n", ""); },
     "I386\\APPS\\DTA\\desk.dta: source-dir: "},
    {"SourceDirAbsent",
     [](auto& s) { s.Replace("I386/APPS/DTA/desk.dta", "SourceDir=ATLAS", "SourceDir=GLOBE"); },
     "I386\\APPS\\DTA\\desk.dta:4: source-dir: "},
    {"SetupSourceDirLeavesI386",
     [](auto& s) {
         s.Replace("I386/APPS/DTA/setup.dta", "SourceDir=notes", "SourceDir=C:\\notes");
     },
     "I386\\APPS\\DTA\\setup.dta:4: source-dir: "},
    // Without a SourceDir a setup looks for its program in I386\none.
    {"SetupSourceDirMissing",
     [](auto& s) { s.Replace("I386/APPS/DTA/setup.dta", "SourceDir=notes\n", ""); },
     "I386\\APPS\\DTA\\setup.dta:4: exe-file: I386\\none\\SETUP.EXE does not exist"},
    {"SetupProgramMissing", [](auto& s) { s.Remove("I386/NOTES/setup.exe"); },
     "I386\\APPS\\DTA\\setup.dta:5: exe-file: "},
    {"ShortcutProgramMissing", [](auto& s) { s.Remove("I386/ATLAS/atlas.exe"); },
     "I386\\APPS\\DTA\\desk.dta:5: exe-file: "},
    {"InfFileMissing", [](auto& s) { s.Remove("I386/VIDEO/VIDEODRV.INF"); },
     "I386\\DRV\\DTA\\video.dta:6: inf-file: "},
    {"NoInfFileListed",
     [](auto& s) { s.Replace("I386/DRV/DTA/video.dta", "Exe_File1=VIDEODRV.INF\n", ""); },
     "I386\\DRV\\DTA\\video.dta:5: inf-file: "},
    {"InstallSectionMissing",
     [](auto& s) { s.Replace("I386/VIDEO/VIDEODRV.INF", "[VIDEODRV]", "[VIDEO]"); },
     "I386\\VIDEO\\VIDEODRV.INF: inf-section: "},
    {"FileListSectionMissing",
     [](auto& s) {
         s.Replace("I386/VIDEO/VIDEODRV.INF", "CopyFiles=VideoFiles", "CopyFiles=VideoFiles,Fonts");
     },
     "I386\\VIDEO\\VIDEODRV.INF:2: inf-section: "},
    {"InfSourceFileMissing", [](auto& s) { s.Remove("I386/VIDEO/video.sy_"); },
     "I386\\VIDEO\\VIDEODRV.INF:8: inf-source: "},
    {"InfSourceDisksFilesEntryMissing",
     [](auto& s) { s.Replace("I386/VIDEO/VIDEODRV.INF", "video.sys=100,I386\\VIDEO\n", ""); },
     "I386\\VIDEO\\VIDEODRV.INF:8: inf-source: "},
    {"InfFileNameUnsafe",
     [](auto& s) {
         s.Replace("I386/VIDEO/VIDEODRV.INF", "[VideoFiles]\nvideo.sys",
                   "[VideoFiles]\n..\\video.sys");
     },
     "I386\\VIDEO\\VIDEODRV.INF:8: inf-unsafe: "},
    {"InfTargetDirectoryUnsafe",
     [](auto& s) { s.Replace("I386/VIDEO/VIDEODRV.INF", "VideoFiles=11", "VideoFiles=10,..\\.."); },
     "I386\\VIDEO\\VIDEODRV.INF:6: inf-unsafe: "},
    {"InfRegistryLinePassedOver",
     [](auto& s) { s.Replace("I386/VIDEO/VIDEODRV.INF", "HKLM,", "HKEY_LOCAL_MACHINE,"); },
     "I386\\VIDEO\\VIDEODRV.INF:12: inf-registry: "},
    {"InfIniNameUnsafe",
     [](auto& s) { s.Replace("I386/VIDEO/VIDEODRV.INF", "system.ini,", "..\\boot.ini,"); },
     "I386\\VIDEO\\VIDEODRV.INF:14: inf-unsafe: "},
    {"BundleScriptMissing", [](auto& s) { s.Remove("I386/PACK/PACK.DEL"); },
     "I386\\PACK\\PACKAGES.INF:12: script-missing: "},
    {"BundleScriptWithoutDescription",
     [](auto& s) { s.Replace("I386/PACK/PACK.COP", "Description=Pack: copying\n", ""); },
     "I386\\PACK\\PACK.COP: script-description: "},
    {"CopyScriptSniffsAsExtraction",
     [](auto& s) { s.Replace("I386/PACK/PACK.COP", "[Bundle]\n", "; [Extract]\n[Bundle]\n"); },
     "I386\\PACK\\PACK.COP: script-kind: "},
    {"CopyScriptWithoutHeader",
     [](auto& s) { s.Replace("I386/PACK/PACK.COP", "[copy]", "[copies]"); },
     "I386\\PACK\\PACK.COP: script-header: "},
    {"CopySourceUnsafe",
     [](auto& s) { s.Replace("I386/PACK/PACK.COP", "PACK\\FILES\\A.TXT|", "..\\A.TXT|"); },
     "I386\\PACK\\PACK.COP:4: script-unsafe: "},
    {"CopySourceMissing", [](auto& s) { s.Remove("I386/PACK/FILES/A.TXT"); },
     "I386\\PACK\\PACK.COP:4: script-source: "},
    {"CopyTargetNotOnADrive",
     [](auto& s) { s.Replace("I386/PACK/PACK.COP", "|C:\\Program Files\\Pack\\A.TXT", "|A.TXT"); },
     "I386\\PACK\\PACK.COP:4: script-line: "},
    {"CompressedScriptNotExpandable",
     [](auto& s) {
         s.Remove("I386/PACK/PACK.COP");
         s.WriteBytesOf("I386/PACK/PACK.CO_", "SZDD");
     },
     "I386\\PACK\\PACK.CO_: script-compressed: "},
    {"DeleteLineNotOnADrive",
     [](auto& s) {
         s.WriteUtf16("I386/PACK/PACK.DEL",
                      "[Bundle]\nDescription=Pack: deleting\n[del]\n\\old.txt\n", true);
     },
     "I386\\PACK\\PACK.DEL:4: script-line: "},
    {"DeleteScriptInAnsi",
     [](auto& s) {
         s.Write("I386/PACK/PACK.DEL",
                 "[Bundle]\nDescription=Pack: deleting\n[del]\nC:\\Pack\\old.txt\n");
     },
     "I386\\PACK\\PACK.DEL: script-header: "},
    {"ExtractContainerMissing", [](auto& s) { s.Remove("I386/PACK/DATA.INP"); },
     "I386\\PACK\\PACK.CFL:4: script-source: "},
    {"ExtractContainerUnsafe",
     [](auto& s) { s.Replace("I386/PACK/PACK.CFL", "PACK\\DATA.INP", "C:\\DATA.INP"); },
     "I386\\PACK\\PACK.CFL:4: script-unsafe: "},
    {"RegistryLineMachineWide",
     [](auto& s) {
         s.WriteUtf16("I386/PACK/PACK.RGD", "[delreg]\nHKLM\\Software\\Pack|Value|Mode||\n", false);
     },
     "I386\\PACK\\PACK.RGD:2: script-registry: "},
    {"RegistryLineWithoutHk",
     [](auto& s) {
         s.WriteUtf16("I386/PACK/PACK.RGD", "[delreg]\nhkey_current_user\\Software\\Pack|Key|||\n",
                      false);
     },
     "I386\\PACK\\PACK.RGD:2: script-line: "},
    {"RegistryLineWithoutSubkey",
     [](auto& s) {
         s.WriteUtf16("I386/PACK/PACK.RGD", "[delreg]\nHKEY_CURRENT_USER|Key|||\n", false);
     },
     "I386\\PACK\\PACK.RGD:2: script-line: "},
    {"RegistryScriptWithMarkBeforeItsHeader",
     [](auto& s) {
         s.WriteUtf16("I386/PACK/PACK.RGD", "[delreg]\nHKEY_CURRENT_USER\\Software\\Pack|Key|||\n",
                      true);
     },
     "I386\\PACK\\PACK.RGD: script-header: "},
    {"ContainerEntryDamaged",
     [](auto& s) {
         FixtureEntry entry = EntryOf(u"WINDOWS\\SYSTEM\\A.DLL", Text(100));
         entry.fileSize += 1;
         FixtureContainer container;
         container.entries = {entry};
         WriteBytes(s.File("PRELOAD/SYSTEM.inp"), container.Build());
     },
     "PRELOAD\\SYSTEM.inp: container: "},
    {"ContainerEntryUnsafe",
     [](auto& s) {
         FixtureContainer container;
         container.entries = {EntryOf(u"..\\A.DLL", Text(10))};
         WriteBytes(s.File("PRELOAD/SYSTEM.inp"), container.Build());
     },
     "PRELOAD\\SYSTEM.inp: container: "},
    {"ExtractedContainerDamaged", [](auto& s) { s.WriteBytesOf("I386/PACK/DATA.INP", "not one"); },
     "I386\\PACK\\DATA.INP: container: "},
    {"ContainerNotAContainer", [](auto& s) { s.WriteBytesOf("CD3/PRELOAD/EXTRA.INP", "not one"); },
     "CD3\\PRELOAD\\EXTRA.INP: container: "},
    {"ListLineWithoutDrive",
     [](auto& s) { s.Replace("PRELOAD/ALL.W32", "D:\\WINDOWS\\SYSTEM", "WINDOWS\\SYSTEM"); },
     "PRELOAD\\ALL.W32:1: list-line: "},
    {"ListedFileWithoutCompressedSource", [](auto& s) { s.Remove("I386/X.DL_"); },
     "PRELOAD\\ALL.W32:1: list-source: "},
    {"ExpansionToolMissing", [](auto& s) { s.Remove("I386/Expand.exe"); },
     "I386\\Expand.exe: expand-missing: "},
    {"ExclusionMatchesNothing",
     [](auto& s) {
         s.WriteInstallIni("[General]\nDefaultLangDisplay=English\n[English]\nTitle=x\n"
                           "[ExcludePath]\nc:\\windows\\temp\nc:\\windows\\media\n");
     },
     kInstallIniName + ":7: exclude-unused: "},
    {"ValueOnUnendedLastLine",
     [](auto& s) { s.Replace("I386/APPS/DTA/setup.dta", "CmdLine=/s\n", "CmdLine=/s"); },
     "I386\\APPS\\DTA\\setup.dta:6: last-line: "},
    {"InstallAllListNamesMissingFile",
     [](auto& s) {
         s.WriteInstallIni("[General]\nDefaultLangDisplay=English\n[English]\nTitle=x\n"
                           "[ExcludePath]\nc:\\windows\\temp\n[Data]\nDtaFile3=gone.dta\n");
     },
     kInstallIniName + ":8: dta-file: "},
};

class BrokenSourceTest : public ::testing::TestWithParam<BrokenSource> {};

TEST_P(BrokenSourceTest, ReportsTheOneProblem) {
    CSourceFixture source;
    GetParam().breakIt(source);
    const Outcome outcome = Check(source);
    std::string expected = GetParam().expected;
    if (expected.starts_with(kInstallIniName))
        expected.replace(0, kInstallIniName.size(),
                         Utf16ToUtf8(ArchiveTextOf(source.InstallIni())));
    EXPECT_EQ(outcome.status, 1);
    ASSERT_EQ(std::count(outcome.out.begin(), outcome.out.end(), '\n'), 1) << outcome.out;
    EXPECT_TRUE(outcome.out.starts_with(expected)) << outcome.out;
}

INSTANTIATE_TEST_SUITE_P(CheckSource, BrokenSourceTest, ::testing::ValuesIn(kBrokenSources),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CheckSource, ExclusionAndNeverRestoredFilesNeedNoSource) {
    CSourceFixture source;
    source.Write("PRELOAD/ALL.W32", "D:\\WINDOWS\\SYSTEM\\X.DLL\nD:\\WINDOWS\\TEMP\\Y.TMP\n"
                                    "D:\\RECYCLED\\Z.DLL\nD:\\OBRA.DAV\n\n");
    EXPECT_EQ(Check(source).status, 0) << Check(source).out;
}

#ifndef _WIN32
// Where the file system tells letter case apart, a name is found among its directory's entries
// with A to Z folded, and of several that fold alike the first in order wins, every time.
TEST(CheckSource, NamesAreFoundWithoutRegardToTheCaseOfAToZ) {
    CSourceFixture source;
    source.WriteBytesOf("I386/Dup/b.txt", "1");
    source.WriteBytesOf("I386/Dup/B.TXT", "2");
    const CSourceTree tree(source.Root());
    for (int round = 0; round < 2; ++round) {
        EXPECT_EQ(tree.Find(u"i386\\dup\\b.Txt"), source.File("I386/Dup/B.TXT"));
        EXPECT_EQ(tree.Find(u"I386\\DUP\\b.txt"), source.File("I386/Dup/b.txt"));
    }
    EXPECT_FALSE(tree.Find(u"I386\\Dup\\c.txt"));
    EXPECT_FALSE(tree.Find(u"I386\\..\\I386\\Dup\\b.txt"));
    EXPECT_TRUE(tree.IsDirectory(u"i386\\DUP"));
}
#endif

TEST(CheckSource, UnreadableRootCannotBeChecked) {
    CSourceFixture source;
    std::filesystem::remove_all(source.Root());
    const Outcome outcome = Check(source);
    EXPECT_EQ(outcome.status, 2);
    EXPECT_EQ(outcome.out, "");
    EXPECT_NE(outcome.err.find("not a readable directory"), std::string::npos) << outcome.err;
}

TEST(CheckSource, MissingInstallIniGivenCannotBeChecked) {
    CSourceFixture source;
    std::filesystem::remove(source.InstallIni());
    EXPECT_EQ(Check(source).status, 2);
}

TEST(CheckSource, BadArgumentsCannotBeChecked) {
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(RunInpTool({u"check-source"}, out, err), 2);
    EXPECT_EQ(RunInpTool({u"check-source", u"a", u"b"}, out, err), 2);
    EXPECT_NE(err.str().find("--install-ini"), std::string::npos);
}

TEST(CheckSource, JsonHasOneEscapedObjectPerProblem) {
    CSourceFixture source;
    source.Replace("I386/APPS/DTA/desk.dta", "Installation_Type=Desktop",
                   "Installation_Type=Desk\"top\\");
    source.Remove("Master.log");
    const Outcome outcome = Check(source, {u"--json"});
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.out,
              "{\"file\":\"Master.log\",\"line\":null,\"check\":\"master-log\",\"message\":"
              "\"Master.log is missing: the program does not take this drive for the recovery "
              "source\"}\n"
              "{\"file\":\"I386\\\\APPS\\\\DTA\\\\desk.dta\",\"line\":3,\"check\":"
              "\"installation-type\",\"message\":\"Installation_Type Desk\\\"top\\\\ is unknown: "
              "only RunOnce\\\\Setup, RunOnce and Desktop install anything\"}\n");
}

TEST(CheckSource, JsonStringEscapesControlCharacters) {
    EXPECT_EQ(JsonString("a\"b\\c\n\r\t\x01\x1f\xc3\xa4"),
              "\"a\\\"b\\\\c\\n\\r\\t\\u0001\\u001f\xc3\xa4\"");
}

} // namespace
