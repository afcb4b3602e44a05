#include "SourcePc.h"
#include "common/RecoverySource.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// The search runs in this process, with the simulated PC's program directory as the current
// directory and partition flags as a fresh wizard has them.
class RecoverySourceTest : public ::testing::Test {
protected:
    void SetUp() override {
        ::GetCurrentDirectoryW(MAX_PATH, m_saved);
        ::SetCurrentDirectoryW(m_pc.ProgramDir().c_str());
        m_pc.WriteInstallIni("[General]\r\nDefaultLangDisplay=English\r\n"
                             "[English]\r\nNext=Next\r\n[Deutsch]\r\nNext=Weiter\r\n"
                             "[Francais]\r\n[Espanol]\r\nNext=Siguiente\r\n");
        m_flags.m_bMayExposePartition = 1;
        m_flags.m_bPartitionExposed = 0;
    }
    void TearDown() override { ::SetCurrentDirectoryW(m_saved); }

    std::wstring Search(SourceSearch variant) {
        std::wstring root;
        m_result = FindRecoverySource(variant, m_flags, root);
        return root;
    }

    SourcePc m_pc;
    PartitionFlags m_flags;
    bool m_result = false;
    wchar_t m_saved[MAX_PATH] = {};
};

TEST_F(RecoverySourceTest, MasterLogOnACdRomOrRemovableDriveIsNotFound) {
    WriteBytes(m_pc.AddDrive(L'd', DRIVE_CDROM) + L"\\Master.log", "[Master]\r\n");
    WriteBytes(m_pc.AddDrive(L'e', DRIVE_REMOVABLE) + L"\\Master.log", "[Master]\r\n");
    ASSERT_EQ(::GetDriveTypeW(L"D:\\"), static_cast<UINT>(DRIVE_CDROM));

    EXPECT_EQ(FindSourceDrive(), L"");
    EXPECT_EQ(Search(SourceSearch::Page), L"") << "Z: did not appear";
    EXPECT_THAT(m_pc.ToolCalls(), ElementsAre(ExposeCall(m_pc)));
}

TEST_F(RecoverySourceTest, TheFirstDriveWithMasterLogWins) {
    m_pc.AddSource(L'e', "", {});
    m_pc.AddSource(L'd', "", {});
    m_pc.AddDrive(L'f', DRIVE_FIXED);

    EXPECT_EQ(Search(SourceSearch::Intro), L"D:\\");
    EXPECT_EQ(m_flags.m_bMayExposePartition, 1) << "the tool keeps its turn";
    EXPECT_THAT(m_pc.ToolCalls(), IsEmpty());
}

TEST_F(RecoverySourceTest, TheIntroExposesTheHiddenPartitionOncePerWizard) {
    m_pc.AddHiddenPartition("");

    EXPECT_EQ(Search(SourceSearch::Intro), L"Z:\\");
    EXPECT_TRUE(m_pc.PartitionShown());
    EXPECT_EQ(m_flags.m_bPartitionExposed, 1);
    EXPECT_EQ(m_flags.m_bMayExposePartition, 0);

    ReleaseRecoveryPartition(m_flags);
    EXPECT_FALSE(m_pc.PartitionShown());
    ReleaseRecoveryPartition(m_flags);
    EXPECT_EQ(m_flags.m_bPartitionExposed, 1) << "releasing does not clear the flag";

    EXPECT_EQ(Search(SourceSearch::Intro), L"") << "the tool had its turn";
    EXPECT_THAT(m_pc.ToolCalls(),
                ElementsAre(ExposeCall(m_pc), ReleaseCall(m_pc), ReleaseCall(m_pc)));
}

TEST_F(RecoverySourceTest, AnIntroThatFindsADriveByItselfHasNothingToRelease) {
    m_pc.AddSource(L'd', "", {});
    m_flags.m_bPartitionExposed = 1;

    EXPECT_EQ(Search(SourceSearch::Intro), L"D:\\");
    EXPECT_EQ(m_flags.m_bPartitionExposed, 0);
    ReleaseRecoveryPartition(m_flags);
    EXPECT_THAT(m_pc.ToolCalls(), IsEmpty());
}

TEST_F(RecoverySourceTest, ThePageAndFinishSearchesRunTheToolEachTimeWithoutTheFlags) {
    m_pc.AddHiddenPartition("");
    m_flags.m_bMayExposePartition = 0;

    EXPECT_EQ(Search(SourceSearch::Page), L"Z:\\");
    EXPECT_EQ(Search(SourceSearch::Finish), L"Z:\\");
    EXPECT_FALSE(m_result) << "Z: was found as a drive, not made reachable by this search";
    EXPECT_EQ(m_flags.m_bPartitionExposed, 0);
    EXPECT_THAT(m_pc.ToolCalls(), ElementsAre(ExposeCall(m_pc)));
}

TEST_F(RecoverySourceTest, TheFinishSearchTellsWhetherTheToolMadeZReachable) {
    m_pc.AddHiddenPartition("");
    EXPECT_EQ(Search(SourceSearch::Finish), L"Z:\\");
    EXPECT_TRUE(m_result);
}

TEST_F(RecoverySourceTest, WithoutAPartitionTheVariantsDifferInWhatTheyTakeForZ) {
    EXPECT_EQ(Search(SourceSearch::Intro), L"");
    EXPECT_EQ(Search(SourceSearch::Page), L"");
    EXPECT_EQ(Search(SourceSearch::Finish), L"Z:\\");
    EXPECT_FALSE(m_result);
    EXPECT_EQ(Search(SourceSearch::Direct), L"Z:\\");
    EXPECT_EQ(Search(SourceSearch::Sheet), L"Z:\\");
    EXPECT_EQ(m_pc.ToolCalls().size(), 5u);
}

TEST_F(RecoverySourceTest, DerivedDirectoriesAreEmptyWithoutARoot) {
    const SourceDirs dirs = DeriveSourceDirs(L"D:\\");
    EXPECT_EQ(dirs.i386Dir, L"D:\\I386");
    EXPECT_EQ(dirs.appsDir, L"D:\\I386\\APPS");
    EXPECT_EQ(dirs.driversDir, L"D:\\I386\\DRV");
    const SourceDirs none = DeriveSourceDirs(L"");
    EXPECT_EQ(none.i386Dir + none.appsDir + none.driversDir, L"");
}

TEST_F(RecoverySourceTest, TheLanguageOfMasterLogCountsOnlyWithASectionThatHasLines) {
    m_pc.AddSource(L'd', "Deutsch", {});
    EXPECT_EQ(ResolveLanguageSection(L"D:\\", L"English"), L"Deutsch");

    m_pc.AddSource(L'd', "Italiano", {});
    EXPECT_EQ(ResolveLanguageSection(L"D:\\", L"English"), L"English") << "missing section";

    m_pc.AddSource(L'd', "Francais", {});
    EXPECT_EQ(ResolveLanguageSection(L"D:\\", L"English"), L"English") << "empty section";

    m_pc.AddSource(L'd', "", {});
    EXPECT_EQ(ResolveLanguageSection(L"D:\\", L"Espanol"), L"Espanol") << "no Language key";
}

TEST_F(RecoverySourceTest, TheSheetFormSearchesAndReportsTheSource) {
    m_pc.WriteInstallIni("[General]\r\nDefaultLangDisplay=Espanol\r\n[Espanol]\r\nNext=Sig\r\n"
                         "[Deutsch]\r\nNext=Weiter\r\n");
    m_pc.AddSource(L'd', "Italiano", {});
    int found = 0;
    EXPECT_EQ(ResolveLanguageSection(m_flags, found), L"Espanol");
    EXPECT_EQ(found, 1);

    m_pc.AddSource(L'e', "Deutsch", {});
    ::DeleteFileW(L"D:\\Master.log");
    EXPECT_EQ(ResolveLanguageSection(m_flags, found), L"Deutsch");
}

} // namespace
