// A driver installed from its INF file by the direct installation: the real program copies a
// plain and a compressed file into SYSTEM and INF, adds registry values under HKLM and HKCU and
// appends an entry to an INI file of the Windows directory that holds comments.
#include "SourcePc.h"
#include "framework/RegKey.h"
#include "support/WindowDriver.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The Windows directory of the program's layout on every Windows but 2000.
const std::wstring kWindows = L"C:\\Windows";
const wchar_t kTestKey[] = L"Software\\Melvorin tests";

std::string Narrow(const std::wstring& text) {
    return std::string(text.begin(), text.end());
}

// "hello hello hello hello\r\n" as mscompress stores it.
const std::string kCompressed("SZDD\x88\xF0\x27\x33\x41\x00\x19\x00\x00\x00\xBF"
                              "hello \xF0\xFDo\x03\r\n",
                              27);

class DriverInstallTest : public ::testing::Test {
protected:
    DriverInstallTest() {
        const std::wstring id = std::to_wstring(::GetCurrentProcessId());
        m_plain = L"MLV" + id + L".SYS";
        m_packed = L"MLV" + id + L".TXT";
        m_ini = L"mlv" + id + L".ini";
        m_root = m_pc.AddSource(L'd', "", {L"I386\\DRV\\DTA", L"I386\\NETDRV\\DISK"});
    }
    ~DriverInstallTest() override {
        for (const std::wstring& path :
             {kWindows + L"\\SYSTEM\\" + m_plain, kWindows + L"\\INF\\" + m_packed,
              kWindows + L"\\" + m_ini})
            ::DeleteFileW(path.c_str());
        for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
            CRegKey tests;
            if (tests.Open(root, kTestKey, KEY_ALL_ACCESS) == ERROR_SUCCESS)
                tests.DeleteTree(L"DriverInstall");
        }
    }

    void WriteDriver() const {
        const std::wstring drv = m_root + L"\\I386\\NETDRV\\";
        WriteAnsi(m_root + L"\\I386\\DRV\\DTA\\NET.DTA",
                  "[Drv]\r\nDescription=Network (NET)\r\nInstallation_Type=RunOnce\\Setup\r\n"
                  "SourceDir=NETDRV\r\nExe_File=NETDRIVER.INF\r\nExe_File1=NETDRIVER.INF\r\n");
        WriteAnsi(drv + L"DISK\\" + m_plain, "plain driver");
        WriteBytes(drv + L"DISK\\" + m_packed.substr(0, m_packed.size() - 1) + L"_", kCompressed);
        WriteAnsi(drv + L"NETDRIVER.INF",
                  "[NETDRIVE]\r\nCopyFiles=Files.Sys, Files.Inf\r\nAddReg=Net.Reg\r\n"
                  "UpdateInis=Net.Ini\r\n"
                  "[DestinationDirs]\r\nFiles.Sys=11\r\nFiles.Inf=17\r\n"
                  "[SourceDisksFiles]\r\n" +
                      Narrow(m_plain) + "=100,I386\\NETDRV\\DISK\r\n" + Narrow(m_packed) +
                      "=100,\"I386\\NETDRV\\DISK\"\r\n"
                      "[Files.Sys]\r\n" +
                      Narrow(m_plain) + "\r\n[Files.Inf]\r\n" + Narrow(m_packed) +
                      "\r\n"
                      "[Net.Reg]\r\n"
                      "HKLM,Software\\Melvorin tests\\DriverInstall\\Net,Driver,0,\"" +
                      Narrow(m_plain) +
                      "\"\r\n"
                      "HKCU,Software\\Melvorin tests\\DriverInstall,Shown,0x10001,yes\r\n"
                      "[Net.Ini]\r\n" +
                      Narrow(m_ini) + ",Network,,\"driver=" + Narrow(m_plain) + "\"\r\n");
        WriteAnsi(kWindows + L"\\" + m_ini,
                  "; network settings\r\n[Network]\r\n; the first card\r\ncard=1\r\n"
                  "a line without equals\r\n\r\n; end of the section\r\n[Other]\r\nx=1\r\n");
    }

    void RunProgram(const std::wstring& arguments) {
        ChildProcess program(L"\"" + m_pc.ProgramPath() + L"\" " + arguments, m_pc.ProgramDir());
        ASSERT_TRUE(program.Started());
        EXPECT_TRUE(program.WaitForExit(60000)) << "the program ended by itself";
    }

    static std::wstring RegString(HKEY root, const std::wstring& subkey, const wchar_t* name) {
        CRegKey key;
        std::wstring value = L"<missing>";
        if (key.Open(root, subkey) == ERROR_SUCCESS)
            key.QueryString(name, value);
        return value;
    }

    SourcePc m_pc;
    std::wstring m_root;
    std::wstring m_plain;
    std::wstring m_packed;
    std::wstring m_ini;
};

TEST_F(DriverInstallTest, TheInfCopiesAddsValuesAndUpdatesTheIni) {
    WriteDriver();
    RunProgram(L"/DRV:NET.DTA");
    EXPECT_EQ(ReadBytes(kWindows + L"\\SYSTEM\\" + m_plain), "plain driver");
    EXPECT_EQ(ReadBytes(kWindows + L"\\INF\\" + m_packed), "hello hello hello hello\r\n");
    EXPECT_EQ(
        RegString(HKEY_LOCAL_MACHINE, L"Software\\Melvorin tests\\DriverInstall\\Net", L"Driver"),
        m_plain);
    EXPECT_EQ(RegString(HKEY_CURRENT_USER, L"Software\\Melvorin tests\\DriverInstall", L"Shown"),
              L"yes");
    EXPECT_EQ(ReadBytes(kWindows + L"\\" + m_ini),
              "; network settings\r\n[Network]\r\n; the first card\r\ncard=1\r\n"
              "a line without equals\r\ndriver=" +
                  Narrow(m_plain) + "\r\n\r\n; end of the section\r\n[Other]\r\nx=1\r\n");
}

} // namespace
