// INF install sections carried out against real files and test-only registry keys.
#include "install/InfFileCopy.h"
#include "install/InfInstall.h"
#include "install/InfSection.h"

#include "framework/RegKey.h"
#include "support/FileBytes.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <lzexpand.h>

#include <filesystem>

namespace {

namespace fs = std::filesystem;
using Names = std::vector<std::wstring>;

// Records what the work shows; cancels once `cancelAfterFiles` files were shown.
class CRecordingProgress : public IInfProgress {
public:
    void ShowFile(const std::wstring& name) override {
        if (!name.empty())
            files.push_back(name);
    }
    void ShowFrom(const std::wstring& text) override {
        if (!text.empty())
            froms.push_back(text);
    }
    bool IsCancelled() override {
        return cancelAfterFiles >= 0 && files.size() >= size_t(cancelAfterFiles);
    }

    Names files;
    Names froms;
    int cancelAfterFiles = -1;
};

Names FilesIn(const fs::path& dir) {
    Names names;
    for (const auto& entry : fs::directory_iterator(dir))
        names.push_back(entry.path().filename().wstring());
    std::sort(names.begin(), names.end());
    return names;
}

class InfSectionTest : public testing::Test {
protected:
    void SetUp() override {
        m_job.infPath = Path(L"DRIVER.INF");
        m_job.section = L"DRIVER";
        m_job.sourceRoot = m_dir.Path().wstring();
        m_job.language = L"English";
        fs::create_directories(m_dir / "disk");
    }
    void TearDown() override {
        CRegKey tests;
        if (tests.Open(HKEY_CURRENT_USER, L"Software\\Melvorin tests", KEY_ALL_ACCESS) ==
            ERROR_SUCCESS)
            tests.DeleteTree(L"InfSection");
    }

    std::wstring Path(const std::wstring& relative) const { return (m_dir / relative).wstring(); }
    void WriteInf(const std::string& text) { WriteBytes(m_job.infPath, text); }
    bool CarryOut() { return CarryOutInfSection(m_job, m_progress); }

    static constexpr const wchar_t* kTestKey = L"Software\\Melvorin tests\\InfSection";

    TempDir m_dir;
    InfJob m_job;
    CRecordingProgress m_progress;
};

TEST_F(InfSectionTest, CopiesPlainAndCompressedFilesWhereTheInfSays) {
    WriteBytes(Path(L"disk\\PLAIN.DLL"), "plain content");
    fs::copy_file(MELVORIN_LZ_COMPRESSED, m_dir / "disk" / "SAMPLE.TX_");
    WriteInf("[DRIVER]\r\nCopyFiles = Files.A,, Files.B\r\nDelFiles=Files.A\r\n"
             "[DestinationDirs]\r\nFiles.A=100, \" out a \"\r\nFiles.B=100,out\\b\r\n"
             "[SourceDisksFiles]\r\nPLAIN.DLL=100,disk\r\nSAMPLE.TXT=100,disk\r\n"
             "[Files.A]\r\nPLAIN.DLL\r\n[Files.B]\r\nSAMPLE.TXT\r\n");
    const HANDLE source = ::CreateFileW(Path(L"disk\\PLAIN.DLL").c_str(), FILE_WRITE_ATTRIBUTES, 0,
                                        nullptr, OPEN_EXISTING, 0, nullptr);
    const FILETIME written{0x12345600, 0x01C00000};
    ASSERT_TRUE(::SetFileTime(source, nullptr, nullptr, &written));
    ::CloseHandle(source);
    ::SetFileAttributesW(Path(L"disk\\PLAIN.DLL").c_str(), FILE_ATTRIBUTE_READONLY);

    ASSERT_TRUE(CarryOut());
    EXPECT_EQ(ReadBytes(Path(L"out a\\PLAIN.DLL")), "plain content");
    EXPECT_EQ(ReadBytes(Path(L"out\\b\\SAMPLE.TXT")),
              ReadBytes(fs::path(MELVORIN_LZ_SAMPLE).wstring()));
    EXPECT_EQ(FilesIn(m_dir / "out" / "b"), Names{L"SAMPLE.TXT"});
    EXPECT_EQ(m_progress.files, (Names{L"PLAIN.DLL", L"SAMPLE.TXT"}));
    EXPECT_EQ(m_progress.froms[0], L"From '" + Path(L"disk") + L"'");

    WIN32_FILE_ATTRIBUTE_DATA copy{};
    ASSERT_TRUE(
        ::GetFileAttributesExW(Path(L"out a\\PLAIN.DLL").c_str(), GetFileExInfoStandard, &copy));
    EXPECT_EQ(copy.ftLastWriteTime.dwLowDateTime, written.dwLowDateTime);
    EXPECT_EQ(copy.ftLastWriteTime.dwHighDateTime, written.dwHighDateTime);
    EXPECT_EQ(copy.dwFileAttributes & FILE_ATTRIBUTE_READONLY, 0u);
    ::SetFileAttributesW(Path(L"disk\\PLAIN.DLL").c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(InfSectionTest, TheExpansionMatchesThePlatformsLzCopy) {
    const std::wstring compressed = fs::path(MELVORIN_LZ_COMPRESSED).wstring();
    OFSTRUCT sourceOf{};
    OFSTRUCT targetOf{};
    const INT from = ::LZOpenFileW(const_cast<wchar_t*>(compressed.c_str()), &sourceOf, OF_READ);
    const std::wstring lzCopy = Path(L"lzcopy.txt");
    const INT to =
        ::LZOpenFileW(const_cast<wchar_t*>(lzCopy.c_str()), &targetOf, OF_CREATE | OF_WRITE);
    ASSERT_GE(from, 0);
    ASSERT_GE(to, 0);
    EXPECT_GT(::LZCopy(from, to), 0);
    ::LZClose(from);
    ::LZClose(to);

    fs::copy_file(compressed, m_dir / "disk" / "SAMPLE.TXT");
    ASSERT_TRUE(CopyInfFile(Path(L"disk"), L"SAMPLE.TXT", Path(L"ours")));
    const std::string expanded = ReadBytes(Path(L"ours\\SAMPLE.TXT"));
    EXPECT_EQ(expanded, ReadBytes(lzCopy));
    EXPECT_EQ(expanded, ReadBytes(fs::path(MELVORIN_LZ_SAMPLE).wstring()));
}

TEST_F(InfSectionTest, AnExistingDestinationSurvivesAMissingSourceAndALock) {
    fs::create_directories(m_dir / "target");
    WriteBytes(Path(L"target\\SYSTEM.DLL"), "the system's file");
    WriteBytes(Path(L"target\\LOCKED.DLL"), "in use");
    WriteBytes(Path(L"disk\\LOCKED.DLL"), "new");
    // A truncated compressed file must not replace anything either.
    WriteBytes(Path(L"disk\\BROKEN.DL_"), std::string("SZDD\x88\xF0\x27\x33"
                                                      "A_\x20\0\0\0\xFF"
                                                      "ab",
                                                      17));
    WriteBytes(Path(L"target\\BROKEN.DLL"), "whole");
    WriteInf("[DRIVER]\r\nCopyFiles=Files\r\n[DestinationDirs]\r\nFiles=100,target\r\n"
             "[SourceDisksFiles]\r\nSYSTEM.DLL=100,disk\r\nLOCKED.DLL=100,disk\r\n"
             "BROKEN.DLL=100,disk\r\n[Files]\r\nSYSTEM.DLL\r\nLOCKED.DLL\r\nBROKEN.DLL\r\n");
    const HANDLE lock = ::CreateFileW(Path(L"target\\LOCKED.DLL").c_str(), GENERIC_READ, 0, nullptr,
                                      OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(CarryOut());
    ::CloseHandle(lock);
    EXPECT_EQ(ReadBytes(Path(L"target\\SYSTEM.DLL")), "the system's file");
    EXPECT_EQ(ReadBytes(Path(L"target\\LOCKED.DLL")), "in use");
    EXPECT_EQ(ReadBytes(Path(L"target\\BROKEN.DLL")), "whole");
    EXPECT_EQ(FilesIn(m_dir / "target"), (Names{L"BROKEN.DLL", L"LOCKED.DLL", L"SYSTEM.DLL"}));
}

TEST_F(InfSectionTest, TraversalNamesArePassedOver) {
    fs::create_directories(m_dir / "root" / "disk");
    m_job.sourceRoot = Path(L"root");
    WriteBytes(Path(L"root\\disk\\GOOD.SYS"), "good");
    WriteBytes(Path(L"root\\disk\\EVIL.SYS"), "evil");
    WriteBytes(Path(L"EVIL.SYS"), "outside");
    WriteInf("[DRIVER]\r\nCopyFiles=Files,Away\r\n"
             "[DestinationDirs]\r\nFiles=100,out\r\nAway=100,..\\..\\away\r\n"
             "[SourceDisksFiles]\r\nGOOD.SYS=100,disk\r\nEVIL.SYS=100,disk\\..\\..\r\n"
             "..\\EVIL.SYS=100,disk\r\n"
             "[Files]\r\nGOOD.SYS\r\n..\\EVIL.SYS\r\nEVIL.SYS\r\n[Away]\r\nGOOD.SYS\r\n");
    EXPECT_TRUE(CarryOut());
    EXPECT_EQ(FilesIn(m_dir / "root" / "out"), Names{L"GOOD.SYS"});
    EXPECT_EQ(FilesIn(m_dir.Path()), (Names{L"DRIVER.INF", L"EVIL.SYS", L"disk", L"root"}));
    EXPECT_EQ(ReadBytes(Path(L"EVIL.SYS")), "outside");
}

TEST_F(InfSectionTest, CancelStopsBeforeTheNextFileAndSkipsTheRest) {
    std::string files;
    for (int i = 1; i <= 5; ++i) {
        const std::string name = "F" + std::to_string(i) + ".SYS";
        WriteBytes(Path(L"disk\\" + std::wstring(name.begin(), name.end())), name);
        files += name + "\r\n";
    }
    WriteInf("[DRIVER]\r\nCopyFiles=Files\r\nAddReg=Reg\r\n[DestinationDirs]\r\nFiles=100,out\r\n"
             "[SourceDisksFiles]\r\nF1.SYS=100,disk\r\nF2.SYS=100,disk\r\nF3.SYS=100,disk\r\n"
             "F4.SYS=100,disk\r\nF5.SYS=100,disk\r\n[Files]\r\n" +
             files + "[Reg]\r\nHKCU,Software\\Melvorin tests\\InfSection,Name,0,v\r\n");
    m_progress.cancelAfterFiles = 3;
    EXPECT_FALSE(CarryOut());
    EXPECT_EQ(FilesIn(m_dir / "out"), (Names{L"F1.SYS", L"F2.SYS", L"F3.SYS"}));
    CRegKey key;
    EXPECT_EQ(key.Open(HKEY_CURRENT_USER, kTestKey), ERROR_FILE_NOT_FOUND);
}

TEST_F(InfSectionTest, AddRegStoresStringValues) {
    WriteInf(
        "[DRIVER]\r\nAddReg=Reg.A, Reg.B\r\nCopyFiles=none\r\n"
        "[Reg.A]\r\n; HKCU,Software\\Melvorin tests\\InfSection,Comment,0,x\r\n"
        "HKCU,Software\\Melvorin tests\\InfSection\\One\\Two,Name,0,\"quoted, with commas\"\r\n"
        "HKCU,Software\\Melvorin tests\\InfSection,Hex,0x00010001,1\r\n"
        "HKCU,Software\\Melvorin tests\\InfSection,Skipped,1,x\r\n"
        "HKCU,Software\\Melvorin tests\\InfSection,Bundle Configuration,0,x\r\n"
        "HKXX,Software\\Melvorin tests\\InfSection,Unknown,0,x\r\n"
        "[Reg.B]\r\nHKCU,Software\\Melvorin tests\\InfSection,,0,default\r\n"
        "HKCU,Software\\Melvorin tests\\InfSection,Short\r\n"
        "HKCU,Software\\Melvorin tests\\InfSection\\Bare\r\n");
    ASSERT_TRUE(CarryOut());
    CRegKey key;
    ASSERT_EQ(key.Open(HKEY_CURRENT_USER, kTestKey), ERROR_SUCCESS);
    auto value = [](const CRegKey& k, const wchar_t* name) {
        DWORD type = 0;
        std::vector<BYTE> data;
        if (k.QueryValue(name, type, data) != ERROR_SUCCESS)
            return std::wstring(L"<missing>");
        EXPECT_EQ(type, DWORD(REG_SZ));
        EXPECT_EQ(data.size() % 2, 0u);
        std::wstring text(reinterpret_cast<const wchar_t*>(data.data()), data.size() / 2);
        EXPECT_EQ(text.back(), L'\0') << "stored with its terminating character";
        text.pop_back();
        return text;
    };
    CRegKey two;
    ASSERT_EQ(two.Open(key, L"One\\Two"), ERROR_SUCCESS);
    EXPECT_EQ(value(two, L"Name"), L"quoted, with commas");
    EXPECT_EQ(value(key, L"Hex"), L"1");
    EXPECT_EQ(value(key, L"Skipped"), L"<missing>");
    EXPECT_EQ(value(key, L"Bundle Configuration"), L"<missing>");
    EXPECT_EQ(value(key, L"Unknown"), L"<missing>");
    EXPECT_EQ(value(key, L""), L"default");
    EXPECT_EQ(value(key, L"Short"), L"");
    CRegKey bare;
    ASSERT_EQ(bare.Open(key, L"Bare"), ERROR_SUCCESS);
    EXPECT_EQ(value(bare, L""), L"");
}

TEST_F(InfSectionTest, TheFromTextIsPlainText) {
    const fs::path before = fs::current_path();
    fs::current_path(m_dir.Path());
    WriteBytes(Path(L"Install.ini"), "[English]\r\nFrom=100%s%n\r\n");
    WriteBytes(Path(L"disk\\A.SYS"), "a");
    WriteInf("[DRIVER]\r\nCopyFiles=Files\r\n[DestinationDirs]\r\nFiles=100,out\r\n"
             "[SourceDisksFiles]\r\nA.SYS=100,disk\r\n[Files]\r\nA.SYS\r\n");
    const bool carriedOut = CarryOut();
    fs::current_path(before);
    EXPECT_TRUE(carriedOut);
    EXPECT_EQ(m_progress.froms, Names{L"100%s%n '" + Path(L"disk") + L"'"});
}

TEST_F(InfSectionTest, AMissingInfDoesNothingAndSucceeds) {
    EXPECT_TRUE(CarryOut());
    WriteInf("[DRIVER]\r\nDelFiles=Files\r\nDelReg=Reg\r\n[Files]\r\nX.SYS\r\n");
    EXPECT_TRUE(CarryOut());
    EXPECT_TRUE(m_progress.files.empty());
}

TEST_F(InfSectionTest, TheDialogCarriesOutTheSection) {
    WriteBytes(Path(L"disk\\A.SYS"), "a");
    WriteInf("[DRIVER]\r\nCopyFiles=Files\r\n[DestinationDirs]\r\nFiles=100,out\r\n"
             "[SourceDisksFiles]\r\nA.SYS=100,disk\r\n[Files]\r\nA.SYS\r\n");
    ::SetFileAttributesW(m_job.infPath.c_str(), FILE_ATTRIBUTE_READONLY);
    InstallContext context;
    context.sourceRoot = m_job.sourceRoot;
    context.language = L"English";
    EXPECT_TRUE(RunInfSection(context, m_job.infPath, L"DRIVER"));
    EXPECT_EQ(ReadBytes(Path(L"out\\A.SYS")), "a");
    EXPECT_EQ(::GetFileAttributesW(m_job.infPath.c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
}

} // namespace
