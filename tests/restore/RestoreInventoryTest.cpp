// The restore inventory built from real containers and lists in a temporary directory.
#include "RestoreFixture.h"
#include "restore/RestoreInventory.h"
#include "support/FileBytes.h"
#include "support/TempDir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

using ::testing::ElementsAre;

class RestoreInventoryTest : public ::testing::Test {
protected:
    RestoreInventoryTest() {
        std::filesystem::create_directories(m_temp / L"one");
        std::filesystem::create_directories(m_temp / L"two");
    }
    std::wstring Dir(const wchar_t* name) const { return m_temp / name; }
    std::vector<std::wstring> Build(const std::vector<std::wstring>& exclusions = {}) {
        CInventoryBuilder builder(m_root, exclusions);
        builder.Build({Dir(L"one"), Dir(L"two")});
        return InventoryLines(m_root);
    }

    TempDir m_temp;
    CRestoreFolder m_root{L"ROOT"};
};

// Containers of every directory come first, then the lists; within a list, line order.
TEST_F(RestoreInventoryTest, SourcesInTheirOrder) {
    WriteContainer(Dir(L"one") + L"\\a.inp", {{u"Windows\\a.txt", "a"}, {u"IO.SYS", "io"}});
    WriteContainer(Dir(L"two") + L"\\B.INP", {{u"WINDOWS\\b.txt", "b"}});
    WriteAnsi(Dir(L"one") + L"\\WINDOWS.W32", "D:\\WINDOWS\\w1.dll\r\nD:\\WINDOWS\\w2.dll\r\n");
    WriteAnsi(Dir(L"one") + L"\\ALL.W32", "D:\\WINDOWS\\SYSTEM\\all.dll\r\n");
    WriteUtf16(Dir(L"two") + L"\\ALL.W32", L"E:\\BOOT.INI\r\nE:\\windows\\u.dll");
    WriteAnsi(Dir(L"two") + L"\\notes.txt", "D:\\WINDOWS\\not-a-list.dll\r\n");

    EXPECT_THAT(Build(),
                ElementsAre(L"ROOT|IO.SYS|a.inp", L"ROOT|BOOT.INI|ALL.W32",
                            L"ROOT\\Windows|a.txt|a.inp", L"ROOT\\Windows|b.txt|B.INP",
                            L"ROOT\\Windows|w1.dll|WINDOWS.W32",
                            L"ROOT\\Windows|w2.dll|WINDOWS.W32", L"ROOT\\Windows|u.dll|ALL.W32",
                            L"ROOT\\Windows\\SYSTEM|all.dll|ALL.W32"));
    ASSERT_EQ(m_root.GetChildCount(), 1u);
}

// Entries keep what the container says of them; listed files have nothing but a name.
TEST_F(RestoreInventoryTest, RecordsOfEntriesAndListedFiles) {
    WriteContainer(Dir(L"one") + L"\\a.inp", {{u"WINDOWS\\SYSTEM\\X.DLL", "twelve bytes",
                                               ArchiveAttributes::ReadOnly | 0x04}});
    WriteAnsi(Dir(L"one") + L"\\ALL.W32", "D:\\WINDOWS\\SYSTEM\\Y.DLL\r\n");
    Build();
    const CRestoreFolder& system = m_root.GetChild(0).GetChild(0);
    const CRestoreFile* x = FindFile(system, L"X.DLL");
    ASSERT_NE(x, nullptr);
    EXPECT_EQ(x->GetSource(), Dir(L"one") + L"\\a.inp");
    EXPECT_GT(x->m_nSize, 0u);
    EXPECT_EQ(x->m_time,
              static_cast<std::time_t>((SampleWriteTime - 116444736000000000) / 10000000));
    EXPECT_EQ(x->m_bReadOnly, 1);
    EXPECT_EQ(x->m_bSystem, 1);
    EXPECT_EQ(x->m_bHidden, 0);
    EXPECT_EQ(x->m_bArchive, 0);
    EXPECT_EQ(x->m_nState, 0u);
    const CRestoreFile* y = FindFile(system, L"Y.DLL");
    ASSERT_NE(y, nullptr);
    EXPECT_EQ(y->m_nSize, 0u);
    EXPECT_EQ(y->m_bReadOnly + y->m_bSystem + y->m_bHidden + y->m_bArchive, 0);
}

// The filters; [ExcludePath] applies to the lists only. Unsafe names appear nowhere.
TEST_F(RestoreInventoryTest, FilteredAndUnsafeNamesAreLeftOut) {
    WriteContainer(Dir(L"one") + L"\\a.inp", {{u"WINDOWS\\TEMP\\Y.TMP", "y"},
                                              {u"Recycled\\old.txt", "r"},
                                              {u"WINDOWS\\obra.dav", "o"},
                                              {u"..\\..\\EVIL\\x", "evil"},
                                              {u"WINDOWS\\CON", "device"},
                                              {u"WINDOWS\\ok.txt", "ok"}});
    WriteAnsi(Dir(L"one") + L"\\ALL.W32", "D:\\WINDOWS\\TEMP\\X.TMP\r\n"
                                          "D:\\RECYCLED\\x.txt\r\n"
                                          "D:\\OBRA.DAV\\inside.txt\r\n"
                                          "D:\\\r\n"
                                          "D:\\WINDOWS\\..\\..\\EVIL.DLL\r\n"
                                          "D:\\WINDOWS\\listed.txt\r\n");
    EXPECT_THAT(Build({L"c:\\windows\\temp"}),
                ElementsAre(L"ROOT\\WINDOWS|ok.txt|a.inp", L"ROOT\\WINDOWS|listed.txt|ALL.W32",
                            L"ROOT\\WINDOWS\\TEMP|Y.TMP|a.inp"));
}

// A damaged or empty container offers nothing and is left as it was; a missing list is no error.
TEST_F(RestoreInventoryTest, DamagedContainersArePassedOver) {
    WriteBytes(Dir(L"one") + L"\\bad.inp", "not a container");
    WriteBytes(Dir(L"one") + L"\\empty.inp", "");
    WriteContainer(Dir(L"two") + L"\\good.inp", {{u"good.txt", "g"}});
    EXPECT_THAT(Build(), ElementsAre(L"ROOT|good.txt|good.inp"));
    EXPECT_EQ(ReadBytes(Dir(L"one") + L"\\bad.inp"), "not a container");
}

} // namespace
