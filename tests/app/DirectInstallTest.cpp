// The direct installation: the real program started with a switch installs the one item through
// the installation run and ends, and the wizard never appears.
#include "SourcePc.h"
#include "support/WindowDriver.h"

#include <gtest/gtest.h>

namespace {

const int kInstallHeading = 1015;

class DirectInstallTest : public ::testing::Test {
protected:
    DirectInstallTest() {
        wchar_t title[64];
        ::swprintf(title, 64, L"Melvorin direct %lu", ::GetCurrentProcessId());
        m_title = title;
        m_pc.WriteInstallIni("[General]\r\nTitle=" + std::string(m_title.begin(), m_title.end()) +
                             "\r\n");
        m_root = m_pc.AddSource(L'd', "", {L"I386\\APPS\\DTA", L"I386\\DRV\\DTA", L"I386\\ITEM"});
        ::CopyFileW(m_pc.SetupStandinPath().c_str(), (m_root + L"\\I386\\ITEM\\setup.exe").c_str(),
                    FALSE);
    }

    // A description file whose item starts the setup stand-in with `argument`.
    void Describe(const std::wstring& file, const std::string& section,
                  const std::string& argument) const {
        WriteAnsi(m_root + L"\\I386\\" + file,
                  "[" + section +
                      "]\r\nDescription=Item\r\nInstallation_Type=RunOnce\\Setup\r\n"
                      "SourceDir=ITEM\r\nExe_File=setup.exe\r\nCmdLine=" +
                      argument + "\r\n");
    }

    // Runs the program with the arguments to its end; false when a wizard page showed.
    bool RunProgram(const std::wstring& arguments) {
        ChildProcess program(L"\"" + m_pc.ProgramPath() + L"\" " + arguments, m_pc.ProgramDir());
        bool wizardSeen = false;
        WaitUntil(
            [&] {
                // The sheet is captioned "Melvorin" until its first page shows the title.
                for (const std::wstring& title : {m_title, std::wstring(L"Melvorin")}) {
                    for (HWND window : FindWindows(L"#32770", title, program.Id()))
                        wizardSeen |= ::GetDlgItem(window, kInstallHeading) == nullptr;
                }
                return program.WaitForExit(0);
            },
            60000);
        EXPECT_TRUE(program.WaitForExit(0)) << "the program ended by itself";
        return !wizardSeen;
    }

    std::string SetupCalls() const {
        const std::wstring log = m_root + L"\\I386\\ITEM\\setup.log";
        return ::GetFileAttributesW(log.c_str()) == INVALID_FILE_ATTRIBUTES ? "" : ReadBytes(log);
    }

    SourcePc m_pc;
    std::wstring m_title;
    std::wstring m_root;
};

TEST_F(DirectInstallTest, AnApplicationNamedInLowerCaseIsInstalledWithoutTheWizard) {
    Describe(L"APPS\\DTA\\WORD.DTA", "App", "/app");
    Describe(L"DRV\\DTA\\WORD.DTA", "Drv", "/driver");
    EXPECT_TRUE(RunProgram(L"/drv:word.dta /apps:word.dta"));
    EXPECT_NE(SetupCalls().find("setup.exe /app\r\n"), std::string::npos) << SetupCalls();
    EXPECT_EQ(SetupCalls().find("/driver"), std::string::npos) << "/APPS: wins";
}

TEST_F(DirectInstallTest, ADriverIsInstalledInDriverModeAndTheNameEndsBeforeTheNextSwitch) {
    Describe(L"DRV\\DTA\\SOUND.DTA", "Drv", "/sound");
    Describe(L"DRV\\DTA\\SOUND.DTA.DTA", "Drv", "/wrong");
    EXPECT_TRUE(RunProgram(L"/DRV:\"SOUND.DTA\" /S"));
    EXPECT_NE(SetupCalls().find("setup.exe /sound\r\n"), std::string::npos) << SetupCalls();
    EXPECT_EQ(SetupCalls().find("/wrong"), std::string::npos);
}

} // namespace
