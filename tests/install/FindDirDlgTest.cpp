#include "install/FindDirDlg.h"
#include "install/FindFileDlg.h"
#include "install/PromptFixture.h"
#include "resources/resource.h"
#include "support/WindowDriver.h"

#include <gtest/gtest.h>

#include <commctrl.h>

namespace {

// Reads and works the browser's tree and list from the operator's thread.
class BrowserDriver {
public:
    explicit BrowserDriver(HWND window)
        : m_window(window), m_tree(::GetDlgItem(window, IDC_FINDDIR_TREE)),
          m_list(::GetDlgItem(window, IDC_FINDDIR_LIST)) {}

    HTREEITEM Next(HTREEITEM item, UINT code) const {
        return reinterpret_cast<HTREEITEM>(
            ::SendMessageW(m_tree, TVM_GETNEXTITEM, code, reinterpret_cast<LPARAM>(item)));
    }
    TVITEMW Item(HTREEITEM item, std::wstring* text = nullptr) const {
        wchar_t buffer[MAX_PATH] = {};
        TVITEMW data = {};
        data.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_STATE;
        data.hItem = item;
        data.pszText = buffer;
        data.cchTextMax = MAX_PATH;
        data.stateMask = TVIS_EXPANDED;
        ::SendMessageW(m_tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&data));
        if (text)
            *text = buffer;
        return data;
    }
    std::wstring Text(HTREEITEM item) const {
        std::wstring text;
        Item(item, &text);
        return text;
    }
    // The child (or top-level item, for parent nullptr) with that text, ignoring case.
    HTREEITEM Find(HTREEITEM parent, const std::wstring& text) const {
        for (HTREEITEM item = parent ? Next(parent, TVGN_CHILD) : Next(nullptr, TVGN_ROOT); item;
             item = Next(item, TVGN_NEXT))
            if (_wcsicmp(Text(item).c_str(), text.c_str()) == 0)
                return item;
        return nullptr;
    }
    void Expand(HTREEITEM item) const {
        ::SendMessageW(m_tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item));
    }
    // Opens the branches down to the directory at `path` and returns its item.
    HTREEITEM Open(const std::wstring& path) const {
        HTREEITEM item = Find(nullptr, path.substr(0, 3));
        for (size_t start = 3; item && start < path.size();) {
            size_t end = path.find(L'\\', start);
            if (end == std::wstring::npos)
                end = path.size();
            Expand(item);
            item = Find(item, path.substr(start, end - start));
            start = end + 1;
        }
        return item;
    }
    void Select(HTREEITEM item) const {
        ::SendMessageW(m_tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
    }
    // As the operator collapses a branch with the keyboard.
    void Collapse(HTREEITEM item) const {
        Select(item);
        ::SendMessageW(m_tree, WM_KEYDOWN, VK_LEFT, 0);
    }

    int ListCount() const {
        return static_cast<int>(::SendMessageW(m_list, LVM_GETITEMCOUNT, 0, 0));
    }
    std::wstring ListText(int index) const {
        wchar_t buffer[MAX_PATH] = {};
        LVITEMW data = {};
        data.pszText = buffer;
        data.cchTextMax = MAX_PATH;
        ::SendMessageW(m_list, LVM_GETITEMTEXTW, index, reinterpret_cast<LPARAM>(&data));
        return buffer;
    }
    int ListImage(const std::wstring& text) const {
        LVFINDINFOW find = {};
        find.flags = LVFI_STRING;
        find.psz = text.c_str();
        LVITEMW data = {};
        data.mask = LVIF_IMAGE;
        data.iItem = static_cast<int>(
            ::SendMessageW(m_list, LVM_FINDITEMW, -1, reinterpret_cast<LPARAM>(&find)));
        if (data.iItem < 0)
            return -2;
        ::SendMessageW(m_list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&data));
        return data.iImage;
    }
    std::wstring SelectedFile() const {
        int index = static_cast<int>(::SendMessageW(m_list, LVM_GETNEXTITEM, -1, LVNI_SELECTED));
        return index < 0 ? L"(none)" : ListText(index);
    }

private:
    HWND m_window;
    HWND m_tree;
    HWND m_list;
};

class FindDir : public ::testing::Test, public PromptTest {
protected:
    // Runs the browser for `wanted` while `user` works it.
    INT_PTR Browse(const std::wstring& wanted, const std::function<void(HWND)>& user) {
        m_dialog.m_strWanted = wanted;
        INT_PTR result = 0;
        RunPrompt(
            L"Find directory for  " + MakeLowerAscii(wanted), [&] { result = m_dialog.DoModal(); },
            user);
        return result;
    }
    static std::wstring MakeLowerAscii(std::wstring text) {
        for (wchar_t& c : text)
            c = c >= L'A' && c <= L'Z' ? c - L'A' + L'a' : c;
        return text;
    }

    CFindDirDlg m_dialog;
};

TEST_F(FindDir, ShowsTheFixedDrivesReadyToExpand) {
    Browse(L"setup.inf", [](HWND window) {
        BrowserDriver browser(window);
        HTREEITEM drive = browser.Find(nullptr, L"C:\\");
        ASSERT_NE(drive, nullptr);
        EXPECT_EQ(browser.Item(drive).iImage, CFindDirDlg::ImageFixed);
        EXPECT_NE(browser.Next(drive, TVGN_CHILD), nullptr);
        EXPECT_FALSE(IsEnabled(window, IDOK));
        Press(window, IDCANCEL);
    });
}

TEST_F(FindDir, CompressedFormIsFoundAndReturned) {
    for (const wchar_t* name : {L"a.txt", L"SETUP.IN_", L"b.txt", L"zz.exe", L"Setup.ex_"})
        WriteBytes(m_dir / name, "x");
    INT_PTR result = Browse(L"Setup.INF", [&](HWND window) {
        BrowserDriver browser(window);
        HTREEITEM item = browser.Open(m_dir.Path());
        ASSERT_NE(item, nullptr);
        browser.Select(item);
        EXPECT_EQ(browser.ListCount(), 5);
        EXPECT_EQ(browser.SelectedFile(), L"setup.in_");
        EXPECT_EQ(ItemText(window, IDC_FINDDIR_FOUND), L"setup.in_");
        EXPECT_TRUE(IsEnabled(window, IDOK));
        Press(window, IDOK);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(m_dialog.m_strWanted, L"setup.in_");
    EXPECT_EQ(_wcsicmp(m_dialog.m_strSelectedDir.c_str(), m_dir.Path().c_str()), 0);
}

TEST_F(FindDir, EachListingStartsAgainWithoutAMatch) {
    ::CreateDirectoryW((m_dir / L"with").c_str(), nullptr);
    ::CreateDirectoryW((m_dir / L"without").c_str(), nullptr);
    WriteBytes(m_dir / L"with\\setup.in_", "x");
    WriteBytes(m_dir / L"without\\other.txt", "x");
    WriteBytes(m_dir / L"without\\setup.inf", "x");
    INT_PTR result = Browse(L"setup.inf", [&](HWND window) {
        BrowserDriver browser(window);
        browser.Select(browser.Open(m_dir / L"with"));
        EXPECT_TRUE(IsEnabled(window, IDOK));

        HTREEITEM other = browser.Open(m_dir.Path());
        ::DeleteFileW((m_dir / L"without\\setup.inf").c_str());
        browser.Select(browser.Find(other, L"without"));
        EXPECT_EQ(browser.ListCount(), 1);
        EXPECT_FALSE(IsEnabled(window, IDOK));
        EXPECT_EQ(ItemText(window, IDC_FINDDIR_FOUND), L"");
        Press(window, IDOK); // Enter on a disabled OK must not close the dialog either
        Press(window, IDCANCEL);
    });
    EXPECT_EQ(result, IDCANCEL);
}

TEST_F(FindDir, UncompressedNameIsFoundAfterACompressedOne) {
    ::CreateDirectoryW((m_dir / L"packed").c_str(), nullptr);
    ::CreateDirectoryW((m_dir / L"plain").c_str(), nullptr);
    WriteBytes(m_dir / L"packed\\setup.in_", "x");
    WriteBytes(m_dir / L"plain\\setup.inf", "x");
    INT_PTR result = Browse(L"setup.inf", [&](HWND window) {
        BrowserDriver browser(window);
        browser.Select(browser.Open(m_dir / L"packed"));
        EXPECT_EQ(ItemText(window, IDC_FINDDIR_FOUND), L"setup.in_");
        browser.Select(browser.Open(m_dir / L"plain"));
        EXPECT_EQ(ItemText(window, IDC_FINDDIR_FOUND), L"setup.inf");
        Press(window, IDOK);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(m_dialog.m_strWanted, L"setup.inf");
}

TEST_F(FindDir, FilesShowTheImageOfTheirKind) {
    for (const wchar_t* name : {L"a.b.exe", L"tool.exe", L"lib.dll", L"drv.vxd", L"old.drv",
                                L"setup.inf", L"readme", L"notes.txt"})
        WriteBytes(m_dir / name, "x");
    Browse(L"nothing.inf", [&](HWND window) {
        BrowserDriver browser(window);
        browser.Select(browser.Open(m_dir.Path()));
        EXPECT_EQ(browser.ListImage(L"a.b.exe"), CFindDirDlg::ImageFile);
        EXPECT_EQ(browser.ListImage(L"tool.exe"), CFindDirDlg::ImageProgram);
        EXPECT_EQ(browser.ListImage(L"lib.dll"), CFindDirDlg::ImageLibrary);
        EXPECT_EQ(browser.ListImage(L"drv.vxd"), CFindDirDlg::ImageLibrary);
        EXPECT_EQ(browser.ListImage(L"old.drv"), CFindDirDlg::ImageLibrary);
        EXPECT_EQ(browser.ListImage(L"setup.inf"), CFindDirDlg::ImageSetupInfo);
        EXPECT_EQ(browser.ListImage(L"readme"), CFindDirDlg::ImageFile);
        EXPECT_EQ(browser.ListImage(L"notes.txt"), CFindDirDlg::ImageFile);
        Press(window, IDCANCEL);
    });
}

TEST_F(FindDir, BranchesAreReadWhenExpandedAndForgottenWhenCollapsed) {
    ::CreateDirectoryW((m_dir / L"parent").c_str(), nullptr);
    ::CreateDirectoryW((m_dir / L"parent\\child").c_str(), nullptr);
    ::CreateDirectoryW((m_dir / L"parent\\child\\grand").c_str(), nullptr);
    ::CreateDirectoryW((m_dir / L"parent\\leaf").c_str(), nullptr);
    Browse(L"setup.inf", [&](HWND window) {
        BrowserDriver browser(window);
        HTREEITEM parent = browser.Open(m_dir / L"parent");
        browser.Expand(parent);
        HTREEITEM child = browser.Find(parent, L"child");
        HTREEITEM leaf = browser.Find(parent, L"leaf");
        ASSERT_NE(child, nullptr);
        ASSERT_NE(leaf, nullptr);
        EXPECT_EQ(browser.Text(browser.Next(child, TVGN_CHILD)), L""); // a placeholder
        EXPECT_EQ(browser.Next(leaf, TVGN_CHILD), nullptr);

        // A directory whose last subdirectory went away loses its placeholder on expanding.
        ::RemoveDirectoryW((m_dir / L"parent\\child\\grand").c_str());
        browser.Expand(child);
        EXPECT_EQ(browser.Next(child, TVGN_CHILD), nullptr);
        EXPECT_EQ(browser.Item(child).state & TVIS_EXPANDED, 0u);

        browser.Collapse(parent);
        HTREEITEM placeholder = browser.Next(parent, TVGN_CHILD);
        ASSERT_NE(placeholder, nullptr);
        EXPECT_EQ(browser.Text(placeholder), L"");
        EXPECT_EQ(browser.Next(placeholder, TVGN_NEXT), nullptr);
        Press(window, IDCANCEL);
    });
}

// "Browse..." in "Find Files...": the browser's directory closes both dialogs at once.
TEST_F(FindDir, BrowseFromFindFilesReturnsTheCompressedName) {
    ::CreateDirectoryW((m_dir / L"Source").c_str(), nullptr);
    WriteBytes(m_dir / L"Source\\SETUP.IN_", "x");
    CFindFileDlg findFile;
    findFile.m_strFileName = L"setup.inf";
    INT_PTR result = 0;
    RunPrompt(
        L"Find Files... - Missing SETUP.INF", [&] { result = findFile.DoModal(); },
        [&](HWND window) {
            Press(window, IDC_FINDFILE_BROWSE);
            HWND browserWindow = WaitForOwnDialog(L"Find directory for  setup.inf");
            ASSERT_NE(browserWindow, nullptr);
            EXPECT_FALSE(::IsWindowEnabled(window)); // the browser is modal to it
            BrowserDriver browser(browserWindow);
            browser.Select(browser.Open(m_dir / L"Source"));
            Press(browserWindow, IDOK);
        });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(findFile.m_strFileName, L"setup.in_");
    EXPECT_EQ(_wcsicmp(findFile.m_strDirectory.c_str(), (m_dir / L"Source").c_str()), 0);
    EXPECT_EQ(findFile.m_strDirectory, MakeLowerAscii(findFile.m_strDirectory));
}

} // namespace
