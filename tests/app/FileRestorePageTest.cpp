// The file restore page of the real program under Wine, driven as a user drives it: real clicks
// on the tree's and the list's check boxes, Finish, the restore run while the wizard waits, and
// the restart question when a file was in use. The files are restored below a directory of the
// test's own on drive C:.
#include "SourcePc.h"
#include "restore/RestoreFixture.h"
#include "support/MouseInput.h"
#include "support/RemoteControls.h"
#include "support/WindowDriver.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <commctrl.h>
#include <prsht.h>

#include <stdexcept>

namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

const int kJumpToRestore = 1012;
const int kTree = 1012;
const int kList = 1070;
const int kProgressBar = 1010;
const int kFinish = 12325;
const std::int64_t kEntrySeconds = (SampleWriteTime - 116444736000000000) / 10000000;

std::u16string U16(const std::wstring& text) {
    return std::u16string(text.begin(), text.end());
}

// Copies of the programs and samples of the build tree, made before the simulated PC takes the
// build tree's drive Z: away.
struct BuildCopies {
    BuildCopies() {
        for (auto [from, name] : {std::pair{MELVORIN_EXPAND_STANDIN, L"Expand.exe"},
                                  {MELVORIN_HOLDER, L"file_holder.exe"},
                                  {MELVORIN_LZ_SAMPLE, L"SAMPLE.TXT"},
                                  {MELVORIN_LZ_COMPRESSED, L"SAMPLE.TX_"}})
            if (!::CopyFileW(HostPath(from).c_str(), Path(name).c_str(), FALSE))
                throw std::runtime_error("cannot copy from the build tree");
    }
    std::wstring Path(const std::wstring& name) const { return dir / name; }
    TempDir dir;
};

class FileRestorePageTest : public ::testing::Test {
protected:
    FileRestorePageTest() : m_target(L"C:\\"), m_name(m_target.Path().filename().wstring()) {
        wchar_t title[64];
        ::swprintf(title, 64, L"Melvorin restore %lu", ::GetCurrentProcessId());
        m_title = title;
    }

    std::wstring OnC(const std::wstring& relative) const { return m_target / relative; }
    std::u16string Entry(const std::wstring& relative) const {
        return U16(m_name + L"\\" + relative);
    }

    // A recovery source on Z: with two containers, whose folders differ in letter case and hold
    // a file of one name each, and a list naming a file of the source's I386.
    void MakeSource() {
        m_pc.WriteInstallIni("[General]\r\nTitle=" + std::string(m_title.begin(), m_title.end()) +
                             "\r\n");
        m_source = m_pc.AddSource(L'z', "", {L"I386", L"PRELOAD"});
        WriteContainer(m_source + L"\\PRELOAD\\a.inp",
                       {{Entry(L"Windows\\System\\one.dll"), "one from a",
                         ArchiveAttributes::ReadOnly | ArchiveAttributes::Archive},
                        {Entry(L"Windows\\System\\Deep\\two.dll"), "two from a"},
                        {Entry(L"Windows\\dup.txt"), "dup from a"},
                        {Entry(L"Windows\\ROOT\\WIN.INI"), "[fonts]"},
                        {Entry(L"other.txt"), "other"},
                        {Entry(L"untouched.txt"), "untouched"}});
        WriteContainer(m_source + L"\\PRELOAD\\b.inp",
                       {{Entry(L"WINDOWS\\dup.txt"), "dup from b"},
                        {Entry(L"WINDOWS\\SYSTEM\\three.dll"), "three from b"}});
        WriteAnsi(m_source + L"\\PRELOAD\\ALL.W32", "D:\\" +
                                                        std::string(m_name.begin(), m_name.end()) +
                                                        "\\WINDOWS\\System\\SAMPLE.TXT\r\n");
        for (const wchar_t* name : {L"Expand.exe", L"SAMPLE.TX_"})
            ASSERT_TRUE(::CopyFileW(m_copies.Path(name).c_str(),
                                    (m_source + L"\\I386\\" + name).c_str(), FALSE));
    }

    // The wizard on the file restore page, once the inventory is shown.
    HWND StartOnRestorePage() {
        m_program = m_pc.StartProgram();
        HWND sheet = WaitForWindow(L"#32770", m_title, 10000, m_program->Id());
        if (!sheet)
            return nullptr;
        HWND intro = CurrentPage(sheet);
        ::SendMessageW(intro, WM_COMMAND, MAKEWPARAM(kJumpToRestore, BN_CLICKED),
                       reinterpret_cast<LPARAM>(::GetDlgItem(intro, kJumpToRestore)));
        HWND page = CurrentPage(sheet);
        m_tree = ::GetDlgItem(page, kTree);
        m_list = ::GetDlgItem(page, kList);
        if (!m_tree || !WaitUntil([&] { return TreeRoot(m_tree) != nullptr; }))
            return nullptr;
        return sheet;
    }

    HTREEITEM Folder(const std::vector<std::wstring>& below) const {
        std::vector<std::wstring> path = {L"ROOT", m_name};
        path.insert(path.end(), below.begin(), below.end());
        return FindTreeItem(m_tree, path);
    }
    void Select(HTREEITEM item) const {
        ::SendMessageW(m_tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
    }
    // Ticks every item of the file list with that name by real clicks.
    void TickFiles(const std::wstring& name) const {
        for (int i = 0, count = ListItemCount(m_list); i < count; ++i) {
            if (ListItemText(m_list, i) != name)
                continue;
            // Two clicks at one place in quick succession would make a double click.
            ::Sleep(::GetDoubleClickTime() + 50);
            ASSERT_TRUE(ClickListItemCheckBox(m_list, i)) << Narrow(name);
        }
    }
    static std::string Narrow(const std::wstring& text) { return Utf8(text); }

    // The restore run's progress dialog: no title, a progress bar.
    HWND WaitForRestoreRun() const {
        HWND run = nullptr;
        WaitUntil([&] {
            for (HWND window : FindWindows(L"#32770", L"", m_program->Id())) {
                if (::GetDlgItem(window, kProgressBar))
                    run = window;
            }
            return run != nullptr;
        });
        return run;
    }
    // Presses Finish and answers the run's final message; the wizard is disabled meanwhile.
    void FinishAndConfirm(HWND sheet) const {
        ::PostMessageW(sheet, PSM_PRESSBUTTON, PSBTN_FINISH, 0);
        HWND run = WaitForRestoreRun();
        ASSERT_NE(run, nullptr);
        EXPECT_FALSE(::IsWindowEnabled(sheet)) << "the run is owned by the sheet";
        const MessageBoxSeen finished = WaitForMessageBox(m_program->Id(), run, 20000);
        ASSERT_NE(finished.window, nullptr);
        EXPECT_EQ(finished.text, L"File extraction finished !");
        EXPECT_FALSE(::IsWindowEnabled(sheet));
        PressButton(finished.window, IDOK);
        ASSERT_TRUE(WaitForWindowGone(run));
    }
    // Every tree item's check box, from the root down, as "name=0/1".
    std::vector<std::string> TreeChecks(HTREEITEM item) const {
        std::vector<std::string> checks;
        for (; item; item = TreeNext(m_tree, item)) {
            checks.push_back(Narrow(TreeItemText(m_tree, item)) + "=" +
                             (IsTreeItemChecked(m_tree, item) ? "1" : "0"));
            for (const std::string& below : TreeChecks(TreeChild(m_tree, item)))
                checks.push_back(below);
        }
        return checks;
    }
    // A real click in the middle of a part of a control, given in its client coordinates.
    static void ClickOn(HWND control, const RECT& part) {
        POINT middle = {(part.left + part.right) / 2, (part.top + part.bottom) / 2};
        ::ClientToScreen(control, &middle);
        ::SetForegroundWindow(::GetAncestor(control, GA_ROOT));
        ClickAt(middle);
    }
    HTREEITEM SelectedFolder() const {
        return reinterpret_cast<HTREEITEM>(::SendMessageW(m_tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
    }
    void Quit(HWND sheet) const {
        ::PostMessageW(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
        EXPECT_TRUE(m_program->WaitForExit());
    }

    BuildCopies m_copies;
    SourcePc m_pc;
    TempDir m_target;
    std::wstring m_name;
    std::wstring m_title;
    std::wstring m_source;
    std::unique_ptr<ChildProcess> m_program;
    HWND m_tree = nullptr;
    HWND m_list = nullptr;
};

TEST_F(FileRestorePageTest, TickedFoldersAndFilesAreRestoredWhileTheWizardWaits) {
    MakeSource();
    HWND sheet = StartOnRestorePage();
    ASSERT_NE(sheet, nullptr);
    EXPECT_TRUE(WaitUntil([&] { return WindowText(sheet) == m_title; }))
        << "the configured title, not the page's own caption";
    // One folder for both spellings, in the spelling met first.
    ASSERT_NE(Folder({L"Windows", L"System", L"Deep"}), nullptr);
    EXPECT_EQ(TreeItemText(m_tree, TreeChild(m_tree, Folder({}))), L"Windows");

    // The folder with its sub-folders, by a click on its box.
    const HTREEITEM system = Folder({L"Windows", L"System"});
    ASSERT_TRUE(ClickTreeItemCheckBox(m_tree, system));
    EXPECT_TRUE(IsTreeItemChecked(m_tree, Folder({L"Windows", L"System", L"Deep"})));
    EXPECT_EQ(SelectedFolder(), system);
    ASSERT_TRUE(WaitUntil([&] { return ListItemCount(m_list) == 3; }));
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(IsListItemChecked(m_list, i)) << Narrow(ListItemText(m_list, i));

    // Single files: both files of one name, the file in the folder named ROOT, and another.
    Select(Folder({L"Windows"}));
    ASSERT_TRUE(WaitUntil([&] { return ListItemCount(m_list) == 2; }));
    TickFiles(L"dup.txt");
    Select(Folder({L"Windows", L"ROOT"}));
    ASSERT_TRUE(WaitUntil([&] { return ListItemText(m_list, 0) == L"WIN.INI"; }));
    TickFiles(L"WIN.INI");
    Select(Folder({}));
    ASSERT_TRUE(WaitUntil([&] { return FindListItem(m_list, L"other.txt") >= 0; }));
    TickFiles(L"other.txt");

    FinishAndConfirm(sheet);

    EXPECT_EQ(ReadBytes(OnC(L"Windows\\System\\one.dll")), "one from a");
    EXPECT_EQ(WriteTimeOf(OnC(L"Windows\\System\\one.dll")), kEntrySeconds);
    EXPECT_NE(AttributesOfFile(OnC(L"Windows\\System\\one.dll")) & FILE_ATTRIBUTE_READONLY, 0u);
    EXPECT_EQ(ReadBytes(OnC(L"Windows\\System\\Deep\\two.dll")), "two from a");
    EXPECT_EQ(ReadBytes(OnC(L"WINDOWS\\SYSTEM\\three.dll")), "three from b");
    EXPECT_EQ(ReadBytes(OnC(L"Windows\\System\\SAMPLE.TXT")),
              ReadBytes(m_copies.Path(L"SAMPLE.TXT")));
    EXPECT_EQ(ReadBytes(OnC(L"Windows\\dup.txt")), "dup from b") << "both were restored, b last";
    EXPECT_EQ(ReadBytes(OnC(L"Windows\\ROOT\\WIN.INI")), "[fonts]");
    EXPECT_FALSE(Exists(OnC(L"Windows\\WIN.INI")));
    EXPECT_EQ(ReadBytes(OnC(L"other.txt")), "other");
    EXPECT_FALSE(Exists(OnC(L"untouched.txt")));
    EXPECT_THAT(ReadBytes(m_source + L"\\I386\\Expand.log"),
                HasSubstr("cmdline=\"Z:\\I386\\Expand.exe\" \"Z:\\I386\\SAMPLE.TX_\" \"" +
                          Narrow(OnC(L"Windows\\System\\mvr"))));

    // The marks are cleared, the root's too, and the root is selected.
    for (const std::string& check : TreeChecks(TreeRoot(m_tree)))
        EXPECT_EQ(check.back(), '0') << check;
    EXPECT_EQ(SelectedFolder(), TreeRoot(m_tree));
    EXPECT_TRUE(::IsWindowEnabled(sheet));
    Quit(sheet);
}

// The space bar ticks a focused folder or file as a click on its box does, the marks included.
TEST_F(FileRestorePageTest, TheSpaceBarTicksAsAClickDoes) {
    MakeSource();
    HWND sheet = StartOnRestorePage();
    ASSERT_NE(sheet, nullptr);

    const HTREEITEM deep = Folder({L"Windows", L"System", L"Deep"});
    ::SendMessageW(m_tree, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(deep));
    ClickOn(m_tree, TreeItemRect(m_tree, deep, true));
    ASSERT_TRUE(WaitUntil([&] { return SelectedFolder() == deep; }));
    PressKey(VK_SPACE);
    EXPECT_TRUE(WaitUntil([&] { return IsTreeItemChecked(m_tree, deep); }));
    EXPECT_TRUE(WaitUntil([&] { return IsListItemChecked(m_list, 0); })) << "two.dll is marked";

    Select(Folder({}));
    int untouched = -1;
    ASSERT_TRUE(
        WaitUntil([&] { return (untouched = FindListItem(m_list, L"untouched.txt")) >= 0; }));
    ClickOn(m_list, ListItemRect(m_list, untouched, LVIR_LABEL));
    ASSERT_TRUE(WaitUntil(
        [&] { return ::SendMessageW(m_list, LVM_GETITEMSTATE, untouched, LVIS_FOCUSED) != 0; }));
    PressKey(VK_SPACE);
    EXPECT_TRUE(WaitUntil([&] { return IsListItemChecked(m_list, untouched); }));

    // Shown again, the folder's list shows the marks that the records hold.
    Select(deep);
    Select(Folder({}));
    ASSERT_TRUE(
        WaitUntil([&] { return (untouched = FindListItem(m_list, L"untouched.txt")) >= 0; }));
    EXPECT_TRUE(IsListItemChecked(m_list, untouched));
    EXPECT_FALSE(IsListItemChecked(m_list, FindListItem(m_list, L"other.txt")));

    FinishAndConfirm(sheet);
    EXPECT_EQ(ReadBytes(OnC(L"untouched.txt")), "untouched");
    EXPECT_EQ(ReadBytes(OnC(L"Windows\\System\\Deep\\two.dll")), "two from a");
    EXPECT_FALSE(Exists(OnC(L"other.txt")));
    Quit(sheet);
}

// A file in use is staged for the restart and the question offers it; declining keeps the page
// working, and a second restore goes through in the same session.
TEST_F(FileRestorePageTest, ADeclinedRestartLeavesThePageWorking) {
    MakeSource();
    WriteBytes(OnC(L"other.txt"), "old other");
    const std::wstring ready = OnC(L"ready");
    ChildProcess holder(
        HolderCommandLine(m_copies.Path(L"file_holder.exe"), ready, {OnC(L"other.txt")}),
        m_target.Path().wstring());
    ASSERT_TRUE(WaitUntil([&] { return Exists(ready); }));
    HWND sheet = StartOnRestorePage();
    ASSERT_NE(sheet, nullptr);

    Select(Folder({}));
    ASSERT_TRUE(WaitUntil([&] { return FindListItem(m_list, L"other.txt") >= 0; }));
    TickFiles(L"other.txt");
    FinishAndConfirm(sheet);
    const MessageBoxSeen question = WaitForMessageBox(m_program->Id());
    ASSERT_NE(question.window, nullptr);
    EXPECT_EQ(question.text, L"To complete the installation, the Melvorin will restart your PC.\n"
                             L"Click on 'Cancel' if you wish to restart manually later.");
    EXPECT_TRUE(::GetDlgItem(question.window, IDCANCEL)) << "Windows 6 and later: OK or Cancel";
    EXPECT_EQ(ReadBytes(L"C:\\Windows\\brelmak.flg"), Utf16(L"Reboot\r\n"));
    PressButton(question.window, IDCANCEL);
    ASSERT_TRUE(WaitForWindowGone(question.window));
    EXPECT_EQ(ReadBytes(OnC(L"other.txt")), "old other");

    // The inventory is still there: the tree answers, and another file is restored.
    ASSERT_TRUE(WaitUntil([&] { return ::IsWindowEnabled(sheet) != 0; }));
    Select(Folder({}));
    ASSERT_TRUE(WaitUntil([&] { return FindListItem(m_list, L"untouched.txt") >= 0; }));
    TickFiles(L"untouched.txt");
    FinishAndConfirm(sheet);
    EXPECT_EQ(ReadBytes(OnC(L"untouched.txt")), "untouched");
    EXPECT_FALSE(Exists(L"C:\\Windows\\brelmak.flg")) << "this run staged nothing";
    Quit(sheet);
}

} // namespace
