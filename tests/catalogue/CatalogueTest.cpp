// The catalogue against real description files: a recovery source in a fresh directory, and
// Install.ini in the current directory, where the program finds it.
#include "catalogue/Catalogue.h"
#include "support/FileBytes.h"
#include "support/TempDir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

void PrintTo(const CatalogueEntry& entry, std::ostream* os) {
    *os << testing::PrintToString(entry.description) << " in "
        << testing::PrintToString(entry.fileName);
}

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::UnorderedElementsAre;

class CatalogueTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_previous = std::filesystem::current_path();
        std::filesystem::current_path(m_dir.Path());
        m_dirs = DeriveSourceDirs(m_dir.Path().wstring() + L"\\");
        std::filesystem::create_directories(m_dirs.appsDir + L"\\DTA");
        std::filesystem::create_directories(m_dirs.driversDir + L"\\DTA");
    }
    void TearDown() override { std::filesystem::current_path(m_previous); }

    void InstallIni(const std::string& text) {
        WriteAnsi((m_dir / L"Install.ini").wstring(), text);
    }
    void Description(const std::wstring& dir, const std::wstring& name, const std::string& text) {
        WriteAnsi(dir + L"\\DTA\\" + name, text);
    }
    std::vector<CatalogueEntry> CheckBoxList(const CatalogueKind& kind = kApplicationCatalogue) {
        return ListDescriptionFiles(kind, m_dirs, ReadExclusions());
    }

    TempDir m_dir;
    std::filesystem::path m_previous;
    SourceDirs m_dirs;
};

TEST_F(CatalogueTest, ExclusionsArePrefixesOfTheNameInAnyCaseReadAcrossGaps) {
    InstallIni("[Exclude]\r\nExclude2=WORD.DTA.OLD\r\nExclude5=paint\r\nExclude7=none\r\n"
               "Exclude8=\r\nExclude99=CALC.DTA\r\n");
    EXPECT_THAT(ReadExclusions(), ElementsAre(L"WORD.DTA.OLD", L"paint", L"CALC.DTA"));

    Description(m_dirs.appsDir, L"word.dta", "[App]\r\nDescription=Word\r\n");
    Description(m_dirs.appsDir, L"paint.dta", "[App]\r\nDescription=Paint\r\n");
    Description(m_dirs.appsDir, L"calc.dta", "[App]\r\nDescription=Calculator\r\n");
    EXPECT_THAT(CheckBoxList(), ElementsAre(CatalogueEntry{L"Paint", L"paint.dta"}))
        << "an entry must be at least as long as the name it excludes";
}

TEST_F(CatalogueTest, CheckBoxModeListsEveryDescriptionFileWithADescription) {
    InstallIni("[General]\r\n");
    Description(m_dirs.appsDir, L"WORD.DTA", "[App]\r\nDescription=Word Processor\r\n");
    Description(m_dirs.appsDir, L"none.dta", "[App]\r\nDescription=none\r\n");
    Description(m_dirs.appsDir, L"nokey.dta", "[App]\r\nLaunchSetup=C:\\x.exe\r\n");
    Description(m_dirs.appsDir, L"driver.dta", "[Drv]\r\nDescription=A driver\r\n");
    Description(m_dirs.appsDir, L"readme.txt", "[App]\r\nDescription=Not a description file\r\n");
    Description(m_dirs.appsDir, L"twin.dta", "[App]\r\nDescription=Word Processor\r\n");
    std::filesystem::create_directories(m_dirs.appsDir + L"\\DTA\\folder.dta");

    EXPECT_THAT(CheckBoxList(),
                UnorderedElementsAre(CatalogueEntry{L"Word Processor", L"word.dta"},
                                     CatalogueEntry{L"Word Processor", L"twin.dta"}));
    EXPECT_THAT(CheckBoxList(kDriverCatalogue), IsEmpty()) << "the drivers have their own folder";
}

TEST_F(CatalogueTest, ADriverIsListedByItsDrvSectionOnly) {
    InstallIni("[General]\r\n");
    Description(m_dirs.driversDir, L"sound.dta", "[Drv]\r\nDescription=Sound\r\n");
    Description(m_dirs.driversDir, L"app.dta", "[App]\r\nDescription=Application\r\n");
    EXPECT_THAT(CheckBoxList(kDriverCatalogue),
                ElementsAre(CatalogueEntry{L"Sound", L"sound.dta"}));
}

TEST_F(CatalogueTest, InstallAllModeListsTheConfiguredNamesAsWritten) {
    InstallIni("[Data]\r\nDtaFile1=Word.DTA\r\nDtaFile3=missing.dta\r\nDtaFile4=paint.dta\r\n"
               "DtaFile5=..\\..\\evil.dta\r\nDtaFile99=calc.dta\r\n"
               "[Drv]\r\nDtaFile2=sound.dta\r\n[Exclude]\r\nExclude1=PAINT.DTA\r\n");
    Description(m_dirs.appsDir, L"word.dta", "[App]\r\nDescription=Word\r\n");
    Description(m_dirs.appsDir, L"paint.dta", "[App]\r\nDescription=Paint\r\n");
    Description(m_dirs.appsDir, L"calc.dta", "[App]\r\nDescription=\"Calculator\"\r\n");
    WriteAnsi(m_dirs.root + L"evil.dta", "[App]\r\nDescription=Outside\r\n");
    Description(m_dirs.driversDir, L"sound.dta", "[Drv]\r\nDescription=Sound\r\n");

    EXPECT_THAT(ListConfiguredFiles(kApplicationCatalogue, m_dirs, ReadExclusions()),
                ElementsAre(CatalogueEntry{L"Word", L"Word.DTA"},
                            CatalogueEntry{L"Calculator", L"calc.dta"}))
        << "the platform's reader strips the quotes; an unsafe name reads nothing";
    EXPECT_THAT(ListConfiguredFiles(kDriverCatalogue, m_dirs, ReadExclusions()),
                ElementsAre(CatalogueEntry{L"Sound", L"sound.dta"}));
}

TEST_F(CatalogueTest, InstallAllModeWithoutNamesListsNothing) {
    InstallIni("[General]\r\n");
    Description(m_dirs.appsDir, L"word.dta", "[App]\r\nDescription=Word\r\n");
    EXPECT_THAT(ListConfiguredFiles(kApplicationCatalogue, m_dirs, {}), IsEmpty());
}

TEST_F(CatalogueTest, WithoutASourceNothingIsListed) {
    InstallIni("[Data]\r\nDtaFile1=word.dta\r\n");
    const SourceDirs none;
    EXPECT_THAT(ListDescriptionFiles(kApplicationCatalogue, none, {}), IsEmpty());
    EXPECT_THAT(ListConfiguredFiles(kApplicationCatalogue, none, {}), IsEmpty());
}

TEST_F(CatalogueTest, TheInstallAllSettingIsOnInAnyCaseOnly) {
    const std::wstring settings = (m_dir / L"Software.ini").wstring();
    const struct {
        const char* text;
        bool on;
    } cases[] = {
        {"[Quorvane]\r\nAutoExec=on\r\n", true},   {"[Quorvane]\r\nAutoExec=ON\r\n", true},
        {"[Quorvane]\r\nAutoExec=yes\r\n", false}, {"[Quorvane]\r\nAutoExec=on now\r\n", false},
        {"[Other]\r\nAutoExec=on\r\n", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        WriteAnsi(settings, c.text);
        EXPECT_EQ(IsInstallAllMode(settings), c.on);
    }
    EXPECT_FALSE(IsInstallAllMode((m_dir / L"missing.ini").wstring()));
}

} // namespace
