// The file restore's rules as tables, without windows or files: which files are offered, how list
// lines become paths, how folders merge, what ticking marks, and what a run collects.
#include "restore/FileIcons.h"
#include "restore/RestoreInventory.h"
#include "restore/RestoreRun.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

using ::testing::ElementsAre;

TEST(RestoreRules, FilesNeverOffered) {
    const struct {
        const wchar_t* directory;
        const wchar_t* name;
        bool never;
    } cases[] = {
        {L"C:\\WINDOWS", L"OBRA.DAV", true},
        {L"C:\\WINDOWS\\SYSTEM", L"obra.Dav", true},
        {L"C:", L"XOBRA.DAV", false},
        {L"C:", L"OBRA.DAV.BAK", false},
        {L"C:\\RECYCLED", L"DC1.TXT", true},
        {L"C:\\Recycled\\S-1-5", L"INFO2", true},
        {L"C:\\WINDOWS\\RECYCLED", L"X.TXT", false},
        {L"C:\\RECYCLER", L"X.TXT", false},
        {L"C:", L"RECYCLED", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsNeverRestored(c.directory, c.name), c.never) << c.directory << L"\\" << c.name;
}

TEST(RestoreRules, ListLinesBecomePathsOnC) {
    const struct {
        const wchar_t* line;
        const wchar_t* target; // empty: the line is passed over
    } cases[] = {
        {L"D:\\WINDOWS\\SYSTEM\\X.DLL", L"C:\\WINDOWS\\SYSTEM\\X.DLL"},
        {L"e:\\boot.ini", L"C:\\boot.ini"},
        {L"  D:\\WINDOWS\\X.DLL \t", L"C:\\WINDOWS\\X.DLL"},
        {L"D:\\", L""},
        {L"D:", L""},
        {L"", L""},
        {L"D:\\WINDOWS\\", L""},
        {L"D:\\WINDOWS\\\\X.DLL", L""},
        {L"D:\\..\\EVIL\\X.DLL", L""},
        {L"D:\\WINDOWS\\..\\X.DLL", L""},
        {L"D:\\WINDOWS\\X.DLL\" /evil", L""},
        {L"D:\\WINDOWS/X.DLL", L""},
        {L"D:\\C:\\X.DLL", L""},
        {L"WINDOWS\\X.DLL", L""},
        {L"1:\\WINDOWS\\X.DLL", L""},
        {L"D:/WINDOWS/X.DLL", L""},
        {L"D:\\WINDOWS\\CON", L""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ListLineTarget(c.line), c.target) << c.line;
}

TEST(RestoreRules, ExclusionsApplyToListedPathsAnyCase) {
    const std::vector<std::wstring> exclusions = {L"c:\\windows\\temp", L"", L"\\Help\\"};
    const struct {
        const wchar_t* path;
        bool excluded;
    } cases[] = {
        {L"C:\\WINDOWS\\TEMP\\X.TMP", true},
        {L"C:\\WINDOWS\\TEMPLATES\\X.DOC", true}, // a fragment, not a whole directory
        {L"C:\\WINDOWS\\HELP\\X.HLP", true},
        {L"C:\\WINDOWS\\HELPER.DLL", false},
        {L"C:\\WINDOWS\\SYSTEM\\X.DLL", false},
        {L"C:\\OBRA.DAV\\X.DLL", true},
        {L"C:\\WINDOWS\\xobra.davy", true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsExcludedListPath(c.path, exclusions), c.excluded) << c.path;
    EXPECT_FALSE(IsExcludedListPath(L"C:\\WINDOWS\\TEMP\\X.TMP", {}));
}

TEST(RestoreRules, FoldersMergeWithoutRegardToCaseAndKeepTheFirstSpelling) {
    CRestoreFolder root(L"ROOT");
    CRestoreFolder& first = FindOrCreateFolder(root, L"C:\\Windows\\System");
    EXPECT_EQ(&FindOrCreateFolder(root, L"C:\\WINDOWS\\SYSTEM"), &first);
    EXPECT_EQ(&FindOrCreateFolder(root, L"C:\\windows\\system"), &first);
    EXPECT_EQ(&FindOrCreateFolder(root, L"C:"), &root);
    EXPECT_EQ(&FindOrCreateFolder(root, L"C:\\"), &root);
    FindOrCreateFolder(root, L"C:\\Program Files");
    ASSERT_EQ(root.GetChildCount(), 2u);
    EXPECT_EQ(root.GetChild(0).GetName(), L"Windows");
    EXPECT_EQ(root.GetChild(0).GetChild(0).GetName(), L"System");
    EXPECT_EQ(root.GetChild(1).GetName(), L"Program Files");
    EXPECT_EQ(root.GetChild(0).GetChildCount(), 1u);
}

// A folder keeps its files' names in one block that grows: every name stays whole and ends with
// a null character (the file list sorts by it) after the block has grown many times, names of
// any length among them.
TEST(RestoreRules, FileNamesSurviveTheGrowthOfTheirFolder) {
    CRestoreFolder folder(L"SYSTEM32");
    std::vector<std::wstring> names;
    for (int i = 0; i < 200; ++i)
        names.push_back(std::wstring(i % 37, L'x') + std::to_wstring(i) + L".dll");
    names.push_back(L"");
    for (const std::wstring& name : names)
        folder.AddFile(name).m_nSize = static_cast<std::uint32_t>(name.size());
    ASSERT_EQ(folder.GetFileCount(), names.size());
    for (size_t i = 0; i < names.size(); ++i) {
        const CRestoreFile& file = folder.GetFile(i);
        EXPECT_EQ(file.GetName(), names[i]);
        EXPECT_EQ(file.GetName().data()[file.GetName().size()], L'\0');
        EXPECT_EQ(file.m_nSize, names[i].size());
    }
}

TEST(RestoreRules, CdDirectoriesLieAtTheRootOfThePreloadDrive) {
    EXPECT_EQ(CdPreloadDir(L"Z:\\PRELOAD", 0), L"Z:\\CD0\\PRELOAD");
    EXPECT_EQ(CdPreloadDir(L"Z:\\PRELOAD", 25), L"Z:\\CD25\\PRELOAD");
}

// ROOT > A (files a1, a2) > B (file b1); ROOT > C (file c1).
struct SmallTree {
    SmallTree() {
        a = &FindOrCreateFolder(root, L"C:\\A");
        b = &FindOrCreateFolder(root, L"C:\\A\\B");
        c = &FindOrCreateFolder(root, L"C:\\C");
        for (auto [folder, name] : {std::pair{a, L"a1"}, {a, L"a2"}, {b, L"b1"}, {c, L"c1"}}) {
            folder->AddFile(name);
        }
    }
    std::vector<unsigned> States() const {
        return {a->GetFile(0).m_nState, a->GetFile(1).m_nState, b->GetFile(0).m_nState,
                c->GetFile(0).m_nState};
    }
    CRestoreFolder root{L"ROOT"};
    CRestoreFolder* a;
    CRestoreFolder* b;
    CRestoreFolder* c;
};

TEST(RestoreRules, TickingAFolder) {
    {
        SmallTree t; // with sub-folders: everything below, and unticking keeps the files
        t.a->Tick(1, true);
        EXPECT_THAT(t.States(), ElementsAre(1u, 1u, 1u, 0u));
        EXPECT_EQ(t.b->m_nState, 1);
        t.a->Tick(0, true);
        EXPECT_THAT(t.States(), ElementsAre(1u, 1u, 1u, 0u));
        EXPECT_EQ(t.a->m_nState, 0);
        EXPECT_EQ(t.b->m_nState, 0);
    }
    {
        SmallTree t; // without: only the folder's own files
        t.a->Tick(1, false);
        EXPECT_THAT(t.States(), ElementsAre(1u, 1u, 0u, 0u));
        EXPECT_EQ(t.b->m_nState, 0);
    }
    {
        SmallTree t; // clearing reaches every folder and file, the root's own state too
        t.root.Tick(1, true);
        t.root.ClearMarks();
        EXPECT_THAT(t.States(), ElementsAre(0u, 0u, 0u, 0u));
        EXPECT_EQ(t.root.m_nState, 0);
        EXPECT_EQ(t.b->m_nState, 0);
    }
}

CRestoreFile& AddFile(CRestoreFolder& folder, const std::wstring& name,
                      const std::wstring& source) {
    CRestoreFile& file = folder.AddFile(name);
    file.SetSource(source);
    file.m_nState = 1;
    return file;
}

TEST(RestoreRules, CollectingMarkedFiles) {
    CRestoreFolder root(L"ROOT");
    // A folder named ROOT below the root is an ordinary folder.
    AddFile(FindOrCreateFolder(root, L"C:\\WINDOWS\\ROOT"), L"WIN.INI", L"Z:\\PRELOAD\\b.inp");
    AddFile(FindOrCreateFolder(root, L"C:\\WINDOWS"), L"X.DLL", L"Z:\\PRELOAD\\a.inp");
    AddFile(FindOrCreateFolder(root, L"C:\\WINDOWS"), L"X.DLL", L"Z:\\PRELOAD\\b.inp");
    AddFile(FindOrCreateFolder(root, L"C:\\WINDOWS"), L"L.DLL", L"Z:\\PRELOAD\\ALL.W32");
    AddFile(root, L"BOOT.INI", L"Z:\\PRELOAD\\WINDOWS.w32");
    AddFile(root, L"IO.SYS", L"Z:\\PRELOAD\\a.inp").m_nState = 0;

    RestorePlan plan;
    CollectMarkedFiles(L"C:", root, root, plan);
    EXPECT_THAT(plan.listTargets, ElementsAre(L"C:\\BOOT.INI", L"C:\\WINDOWS\\L.DLL"));
    EXPECT_EQ(plan.containerFiles, 3);
    ASSERT_EQ(plan.sources.size(), 2u);
    // In the order their first marked file was met: files before subfolders.
    EXPECT_EQ(plan.sources[0]->GetSource(), L"Z:\\PRELOAD\\a.inp");
    EXPECT_EQ(plan.sources[1]->GetSource(), L"Z:\\PRELOAD\\b.inp");
    EXPECT_TRUE(plan.sources[0]->HasTarget(L"C:\\WINDOWS\\X.DLL"));
    EXPECT_FALSE(plan.sources[0]->HasTarget(L"C:\\IO.SYS"));
    EXPECT_TRUE(plan.sources[1]->HasTarget(L"C:\\WINDOWS\\X.DLL"));
    EXPECT_TRUE(plan.sources[1]->HasTarget(L"C:\\WINDOWS\\ROOT\\WIN.INI"));
    EXPECT_FALSE(plan.sources[1]->HasTarget(L"C:\\WINDOWS\\WIN.INI"));
}

TEST(RestoreRules, TargetsAreFoundWhateverTheirLetterCase) {
    CRestoreSource source(L"a.inp");
    for (const wchar_t* target : {L"C:\\Windows\\b.dll", L"C:\\WINDOWS\\A.DLL", L"C:\\z.txt"})
        source.AddTarget(target);
    EXPECT_TRUE(source.HasTarget(L"C:\\windows\\a.dll"));
    EXPECT_TRUE(source.HasTarget(L"C:\\WINDOWS\\B.DLL"));
    EXPECT_TRUE(source.HasTarget(L"c:\\Z.TXT"));
    EXPECT_FALSE(source.HasTarget(L"C:\\WINDOWS\\C.DLL"));
}

TEST(RestoreRules, IconLocations) {
    const SystemLayout xp{false, true};
    const SystemLayout win2000{true, true};
    const struct {
        const wchar_t* location;
        const SystemLayout& layout;
        const wchar_t* file;
        int index;
    } cases[] = {
        {L"C:\\Tools\\viewer.exe,3", xp, L"C:\\Tools\\viewer.exe", 3},
        {L"C:\\Tools\\viewer.exe,-102", xp, L"C:\\Tools\\viewer.exe", -102},
        {L"C:\\Tools\\viewer.ico", xp, L"C:\\Tools\\viewer.ico", 0},
        {L"%SystemRoot%\\System32\\shell32.dll,2", xp, L"C:\\Windows\\System32\\shell32.dll", 2},
        {L"%SystemRoot%\\System32\\shell32.dll,2", win2000, L"C:\\Winnt\\System32\\shell32.dll", 2},
        {L"\"C:\\My Tools\\a,b.exe\",1", xp, L"C:\\My Tools\\a,b.exe", 1},
    };
    for (const auto& c : cases) {
        const IconLocation parsed = ParseIconLocation(c.location, c.layout);
        EXPECT_EQ(parsed.file, c.file) << c.location;
        EXPECT_EQ(parsed.index, c.index) << c.location;
    }
}

TEST(RestoreRules, ListedFilesAreToldByTheirSourceExtension) {
    CRestoreFile file;
    for (auto [source, listed] : {std::pair{L"Z:\\PRELOAD\\ALL.W32", true},
                                  {L"Z:\\PRELOAD\\windows.w32", true},
                                  {L"Z:\\PRELOAD\\a.inp", false},
                                  {L"Z:\\PRELOAD\\w32", false}}) {
        file.SetSource(source);
        EXPECT_EQ(file.IsListed(), listed) << source;
    }
}

} // namespace
