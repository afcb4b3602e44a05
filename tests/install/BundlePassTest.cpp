// The bundle pass at the end of a whole installation run: the bundle files of the Windows
// directory's inf\asm are applied in the order of their kinds, whatever their names, and then
// deleted.
#include "framework/RegKey.h"
#include "install/Bundles.h"
#include "install/FileOpFixture.h"
#include "install/InstallRunFixture.h"

#include <gtest/gtest.h>

#include <shlwapi.h>

namespace {

const std::string kMark = "\xFF\xFE";

std::string Narrow(const std::wstring& text) {
    return std::string(text.begin(), text.end());
}

class BundlePass : public InstallRunTest {
protected:
    BundlePass() {
        ::CreateDirectoryW(Target(L"").c_str(), nullptr);
        ::SHDeleteKeyW(HKEY_CURRENT_USER, m_key.c_str());
    }
    ~BundlePass() override { ::SHDeleteKeyW(HKEY_CURRENT_USER, m_key.c_str()); }

    std::wstring Bundle(const std::wstring& name) const { return m_bundles + L"\\" + name; }
    std::wstring Target(const std::wstring& name) const {
        return (m_dir / L"target").wstring() + (name.empty() ? L"" : L"\\" + name);
    }
    std::string CopyLine(const std::wstring& source, const std::wstring& target) const {
        return Narrow(source) + "|" + Narrow(Target(target)) + "|\r\n";
    }
    bool ValueExists(const wchar_t* name) const {
        CRegKey key;
        DWORD type = 0;
        std::vector<BYTE> data;
        return key.Open(HKEY_CURRENT_USER, m_key) == ERROR_SUCCESS &&
               key.QueryValue(name, type, data) == ERROR_SUCCESS;
    }

    const std::wstring m_bundles = L"C:\\Windows\\inf\\asm";
    ScopedDirectory m_bundleDir{m_bundles};
    const std::wstring m_key = L"Software\\MelvorinTest-Bundles";
};

TEST_F(BundlePass, KindsGoInTheirOrderAndEveryBundleIsDeleted) {
    UseInstallIni("");
    WriteBytes(Target(L"x.txt"), "old x");
    WriteBytes(m_strI386 + L"\\x.txt", "new x");
    WriteBytes(m_strI386 + L"\\u.txt", "unicode copy");
    WriteBytes(m_strI386 + L"\\n.txt", "not described");
    WriteBytes(m_strI386 + L"\\e.txt", "an extraction saved as a copy");
    {
        CRegKey key;
        ASSERT_EQ(key.Create(HKEY_CURRENT_USER, m_key), ERROR_SUCCESS);
        key.SetString(L"Old", L"gone after the deletion script");
    }
    // The deletion goes first although its name comes last: otherwise it would delete the copy.
    WriteBytes(Bundle(L"Z1.DEL"), kMark + Utf16(L"[Bundle]\r\nDescription=Deleting\r\n[del]\r\n" +
                                                Target(L"x.txt") + L"\r\n"));
    WriteAnsi(Bundle(L"A0.COP"),
              "[Bundle]\r\nDescription=Copying\r\n[copy]\r\n" + CopyLine(L"x.txt", L"x.txt"));
    WriteAnsi(Bundle(L"B.cop"), "[copy]\r\n" + CopyLine(L"n.txt", L"n.txt"));
    WriteAnsi(Bundle(L"D.cop"), "[App]\r\nDescription=Sniffed\r\n[extract]\r\n; [copy]\r\n" +
                                    CopyLine(L"e.txt", L"e.txt"));
    // Saved as UTF-16: the ANSI sniff stops at the first zero byte and does not see "[extract]".
    WriteBytes(Bundle(L"C.COP"), kMark + Utf16(L"[App]\r\nDescription=Unicode\r\n; [extract]\r\n"
                                               L"[copy]\r\nu.txt|" +
                                               Target(L"u.txt") + L"\r\n"));
    // Registry bundles go without a description; deletions before imports.
    WriteAnsi(Bundle(L"X.REG"), "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\" + Narrow(m_key) +
                                    "]\r\n\"Both\"=\"imported after the deletion\"\r\n\r\n");
    WriteBytes(Bundle(L"Y.RGD"),
               Utf16(L"[delreg]\r\nHKEY_CURRENT_USER\\" + m_key +
                     L"|Value|Old\r\nHKEY_CURRENT_USER\\" + m_key + L"|Value|Both\r\n"));
    WriteAnsi(Bundle(L"notes.txt"), "stays");

    Run(std::vector<std::wstring>{});

    EXPECT_EQ(ReadBytes(Target(L"x.txt")), "new x");
    EXPECT_EQ(ReadBytes(Target(L"u.txt")), "unicode copy");
    EXPECT_EQ(NamesIn(Target(L"")), (std::vector<std::wstring>{L"u.txt", L"x.txt"}));
    EXPECT_FALSE(ValueExists(L"Old"));
    EXPECT_TRUE(ValueExists(L"Both"));
    EXPECT_EQ(NamesIn(m_bundles), (std::vector<std::wstring>{L"notes.txt"}));
}

// Windows 2000 keeps its bundles, its registry editor and the reboot flag in C:\Winnt. The pass
// is given its context directly, without a run.
TEST(BundlePassWin2000, UsesTheWinntDirectory) {
    ScopedDirectory winnt(L"C:\\Winnt");
    ScopedDirectory inf(L"C:\\Winnt\\inf");
    ScopedDirectory bundles(L"C:\\Winnt\\inf\\asm");
    PreservedFile flag(L"C:\\Winnt\\brelmak.flg");
    ASSERT_TRUE(::CopyFileW(L"C:\\Windows\\regedit.exe", L"C:\\Winnt\\regedit.exe", FALSE));
    const std::wstring key = L"Software\\MelvorinTest-Winnt";
    ::SHDeleteKeyW(HKEY_CURRENT_USER, key.c_str());
    TempDir dir;
    const std::wstring source = (dir / L"source").wstring();
    const std::wstring target = (dir / L"in use.dll").wstring();
    ::CreateDirectoryW(source.c_str(), nullptr);
    WriteBytes(source + L"\\in use.dll", "new");
    WriteBytes(target, "old");
    SetWriteTime(target, 1000);
    WriteAnsi(L"C:\\Winnt\\inf\\asm\\a.cop",
              "[Bundle]\r\nDescription=In use\r\n[copy]\r\nin use.dll|" + Narrow(target) + "\r\n");
    WriteAnsi(L"C:\\Winnt\\inf\\asm\\b.reg", "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\" + Narrow(key) +
                                                 "]\r\n\"Winnt\"=\"imported\"\r\n\r\n");
    InstallContext context;
    context.windows.m_bNt5 = 1;
    context.windows.m_bWin2000 = 1;
    context.language = L"English";
    context.i386Dir = source;
    {
        const HANDLE held = ::CreateFileW(target.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                          OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(held, INVALID_HANDLE_VALUE);
        ApplyBundles(context);
        ::CloseHandle(held);
    }
    EXPECT_EQ(ReadBytes(L"C:\\Winnt\\brelmak.flg"), Utf16(L"Reboot\r\n"));
    EXPECT_EQ(ReadBytes(target), "old"); // until the restart
    EXPECT_TRUE(NamesIn(L"C:\\Winnt\\inf\\asm").empty());
    CRegKey imported;
    std::wstring value;
    ASSERT_EQ(imported.Open(HKEY_CURRENT_USER, key), ERROR_SUCCESS);
    EXPECT_EQ(imported.QueryString(L"Winnt", value), ERROR_SUCCESS);
    EXPECT_EQ(value, L"imported");
    imported.Close();
    ::SHDeleteKeyW(HKEY_CURRENT_USER, key.c_str());
}

} // namespace
