// What the installation run reads: the items' description files and the launch settings of
// Install.ini.
#include "install/InstallItem.h"
#include "install/LaunchSettings.h"
#include "support/FileBytes.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace {

class InstallReading : public ::testing::Test {
protected:
    InstallReading() {
        wchar_t previous[MAX_PATH] = {};
        ::GetCurrentDirectoryW(MAX_PATH, previous);
        m_strPreviousDir = previous;
        ::SetCurrentDirectoryW(m_dir.Path().c_str());
    }
    ~InstallReading() override { ::SetCurrentDirectoryW(m_strPreviousDir.c_str()); }

    std::wstring Write(const wchar_t* name, const std::string& content) {
        std::wstring path = m_dir / name;
        WriteAnsi(path, content);
        return path;
    }

    TempDir m_dir;
    std::wstring m_strPreviousDir;
};

TEST_F(InstallReading, ItemKeysAreReadFromTheItemSectionAsWritten) {
    std::wstring file = Write(L"WORD.DTA", "[Drv]\r\nDescription=Driver\r\n"
                                           "[App]\r\n"
                                           "SourceDir=Office\\Word\r\n"
                                           "Long_Time=YES\r\n"
                                           "Installation_Type=RunOnce\\Setup\r\n"
                                           "Exe_File=Setup.EXE\r\n"
                                           "CmdLine=/s /q\r\n"
                                           "Description=Word (2000)\r\n");
    InstallItem item = ReadInstallItem(file, L"App");
    EXPECT_EQ(item.descriptionFile, file);
    EXPECT_EQ(item.sourceDir, L"Office\\Word");
    EXPECT_TRUE(item.longTime);
    EXPECT_EQ(item.installationType, L"RunOnce\\Setup");
    EXPECT_EQ(item.exeFile, L"Setup.EXE");
    EXPECT_EQ(item.cmdLine, L"/s /q");
    EXPECT_EQ(item.description, L"Word (2000)");
    EXPECT_EQ(ReadInstallItem(file, L"Drv").description, L"Driver");
}

TEST_F(InstallReading, MissingKeysAndAMissingFileReadNone) {
    std::wstring file = Write(L"EMPTY.DTA", "[App]\r\nLong_Time=no way\r\n");
    for (const std::wstring& path : std::vector<std::wstring>{file, m_dir / L"MISSING.DTA"}) {
        InstallItem item = ReadInstallItem(path, L"App");
        EXPECT_EQ(item.sourceDir, L"none");
        EXPECT_FALSE(item.longTime);
        EXPECT_EQ(item.installationType, L"none");
        EXPECT_EQ(item.exeFile, L"none");
        EXPECT_EQ(item.cmdLine, L"none");
        EXPECT_EQ(item.description, L"none");
    }
}

TEST_F(InstallReading, InfFilesEndAtTheFirstMissingNumber) {
    std::wstring file = Write(L"NET.DTA", "[App]\r\n"
                                          "Exe_File=net.inf\r\n"
                                          "Exe_File1=NETDRIVER.INF\r\n"
                                          "Exe_File2=Sub\\A.INF\r\n"
                                          "Exe_File4=LATE.INF\r\n");
    InstallItem item = ReadInstallItem(file, L"App");
    EXPECT_EQ(ReadInfFiles(item, L"App"),
              (std::vector<std::wstring>{L"NETDRIVER.INF", L"Sub\\A.INF"}));

    std::wstring gap = Write(L"GAP.DTA", "[App]\r\nExe_File1=ONE.INF\r\nExe_File3=THREE.INF\r\n");
    EXPECT_EQ(ReadInfFiles(ReadInstallItem(gap, L"App"), L"App"),
              std::vector<std::wstring>{L"ONE.INF"});
    EXPECT_TRUE(ReadInfFiles(ReadInstallItem(gap, L"Drv"), L"Drv").empty());
}

TEST_F(InstallReading, LaunchSettingsHaveTheirDefaultsWithoutInstallIni) {
    LaunchSettings settings = ReadLaunchSettings();
    EXPECT_EQ(settings.timeOut, 1000);
    EXPECT_EQ(settings.longTimeOut, 2000);
    EXPECT_FALSE(settings.noWait);
    EXPECT_FALSE(settings.vorqOnly);
    EXPECT_TRUE(settings.show);
    EXPECT_TRUE(ReadShowSetting());
}

TEST_F(InstallReading, LaunchSettingsAreReadFromGeneral) {
    Write(L"Install.ini", "[General]\r\n"
                          "TimeOut=15s\r\n"
                          "TimeOut2=-3\r\n"
                          "NoWaitEx=YES\r\n"
                          "WaitVorqOnly=Yes\r\n"
                          "ShowCmd=no\r\n");
    LaunchSettings settings = ReadLaunchSettings();
    EXPECT_EQ(settings.timeOut, 15);
    EXPECT_EQ(settings.longTimeOut, -3);
    EXPECT_TRUE(settings.noWait);
    EXPECT_TRUE(settings.vorqOnly);
    EXPECT_FALSE(settings.show);
    EXPECT_FALSE(ReadShowSetting());
}

TEST_F(InstallReading, LaunchSwitchesOtherThanYesAreOff) {
    Write(L"Install.ini", "[General]\r\n"
                          "TimeOut=soon\r\n"
                          "NoWaitEx=on\r\n"
                          "WaitVorqOnly=yes please\r\n"
                          "ShowCmd=1\r\n");
    LaunchSettings settings = ReadLaunchSettings();
    EXPECT_EQ(settings.timeOut, 0);
    EXPECT_FALSE(settings.noWait);
    EXPECT_FALSE(settings.vorqOnly);
    EXPECT_FALSE(settings.show);
}

} // namespace
