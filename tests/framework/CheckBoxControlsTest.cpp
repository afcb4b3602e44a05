// The check-box list and tree in real controls of a window of the test: check marks, item data,
// texts, hit tests on the check box, and the filling guard.
#include "framework/ListCtrl.h"
#include "framework/TreeCtrl.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

// A notification the host window received, and whether its control was being filled.
struct Notification {
    UINT code;
    bool filling;
};
std::vector<Notification> g_notifications;

LRESULT CALLBACK HostProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NOTIFY) {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->code == LVN_ITEMCHANGED || header->code == TVN_SELCHANGEDW)
            g_notifications.push_back({header->code, IsControlFilling(header->hwndFrom)});
    }
    return ::DefWindowProcW(hWnd, message, wParam, lParam);
}

// A shown top-level window that holds the control under test.
class ControlHost : public testing::Test {
protected:
    static void SetUpTestSuite() {
        INITCOMMONCONTROLSEX controls = {sizeof(controls),
                                         ICC_LISTVIEW_CLASSES | ICC_TREEVIEW_CLASSES};
        ::InitCommonControlsEx(&controls);
        WNDCLASSW windowClass = {};
        windowClass.lpfnWndProc = HostProc;
        windowClass.hInstance = ::GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"MelvorinControlHost";
        ::RegisterClassW(&windowClass);
    }
    void SetUp() override {
        g_notifications.clear();
        m_host = ::CreateWindowExW(0, L"MelvorinControlHost", L"Control host",
                                   WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 500, 400, nullptr,
                                   nullptr, ::GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(m_host, nullptr);
    }
    void TearDown() override { ::DestroyWindow(m_host); }

    HWND CreateControl(const wchar_t* className, DWORD style) const {
        return ::CreateWindowExW(0, className, L"", WS_CHILD | WS_VISIBLE | WS_BORDER | style, 10,
                                 10, 400, 300, m_host, nullptr, ::GetModuleHandleW(nullptr),
                                 nullptr);
    }
    // Whether any notification came, and whether all of them came while filling.
    static std::vector<bool> FillingFlags(UINT code) {
        std::vector<bool> flags;
        for (const Notification& notification : g_notifications) {
            if (notification.code == code)
                flags.push_back(notification.filling);
        }
        g_notifications.clear();
        return flags;
    }

    HWND m_host = nullptr;
};

class CheckBoxList : public ControlHost {
protected:
    void SetUp() override {
        ControlHost::SetUp();
        m_list.Attach(CreateControl(WC_LISTVIEWW, LVS_REPORT | LVS_NOCOLUMNHEADER));
        ASSERT_NE(m_list.GetSafeHwnd(), nullptr);
        m_list.InsertColumn(0, L"", 200);
        m_list.InsertColumn(1, L"", 100);
        m_list.SetExtendedStyle(0, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
    }
    void Fill() const {
        for (int i = 0; i < 3; ++i) {
            ASSERT_EQ(m_list.InsertItem(i, L"Item " + std::to_wstring(i), 0), i);
            ASSERT_TRUE(m_list.SetItemText(i, 1, L"file" + std::to_wstring(i) + L".dta"));
            ASSERT_TRUE(m_list.SetItemData(i, 100 + i));
        }
    }
    RECT ItemRect(int index, int part) const {
        RECT rect = {};
        rect.left = part;
        m_list.SendMessage(LVM_GETITEMRECT, index, reinterpret_cast<LPARAM>(&rect));
        return rect;
    }

    CListCtrl m_list;
};

TEST_F(CheckBoxList, ExtendedStylesAreSet) {
    EXPECT_EQ(m_list.GetExtendedStyle() & (LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT),
              DWORD(LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT));
    m_list.SetExtendedStyle(LVS_EX_FULLROWSELECT, 0);
    EXPECT_EQ(m_list.GetExtendedStyle() & (LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT),
              DWORD(LVS_EX_CHECKBOXES));
}

TEST_F(CheckBoxList, ChecksAreStateImagesOneAndTwo) {
    Fill();
    EXPECT_FALSE(m_list.GetCheck(1));
    EXPECT_EQ(m_list.GetItemState(1, LVIS_STATEIMAGEMASK), UINT(INDEXTOSTATEIMAGEMASK(1)));
    ASSERT_TRUE(m_list.SetCheck(1, true));
    EXPECT_EQ(m_list.GetItemState(1, LVIS_STATEIMAGEMASK), UINT(INDEXTOSTATEIMAGEMASK(2)));
    EXPECT_TRUE(m_list.GetCheck(1));
    EXPECT_FALSE(m_list.GetCheck(0));
    EXPECT_FALSE(m_list.GetCheck(2));
    ASSERT_TRUE(m_list.SetCheck(1, false));
    EXPECT_FALSE(m_list.GetCheck(1));
}

TEST_F(CheckBoxList, ItemsKeepTheirDataAndSubItemTexts) {
    Fill();
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(m_list.GetItemData(i), 100 + i);
        EXPECT_EQ(m_list.GetItemText(i), L"Item " + std::to_wstring(i));
        EXPECT_EQ(m_list.GetItemText(i, 1), L"file" + std::to_wstring(i) + L".dta");
    }
}

TEST_F(CheckBoxList, LongTextsAreReadWhole) {
    Fill();
    const std::wstring longText(1500, L'x');
    const std::wstring exactlyMaxPath(MAX_PATH, L'y');
    ASSERT_TRUE(m_list.SetItemText(0, 0, longText));
    ASSERT_TRUE(m_list.SetItemText(0, 1, exactlyMaxPath));
    EXPECT_EQ(m_list.GetItemText(0), longText);
    EXPECT_EQ(m_list.GetItemText(0, 1), exactlyMaxPath);
}

TEST_F(CheckBoxList, HitTestFindsTheCheckBoxAndTheLabel) {
    Fill();
    const RECT bounds = ItemRect(1, LVIR_BOUNDS);
    const RECT label = ItemRect(1, LVIR_LABEL);
    const int middle = (bounds.top + bounds.bottom) / 2;
    UINT flags = 0;
    EXPECT_EQ(m_list.HitTest({bounds.left + 8, middle}, &flags), 1);
    EXPECT_EQ(flags, UINT(LVHT_ONITEMSTATEICON));
    EXPECT_EQ(m_list.HitTest({(label.left + label.right) / 2, middle}, &flags), 1);
    EXPECT_EQ(flags, UINT(LVHT_ONITEMLABEL));
    EXPECT_EQ(m_list.HitTest({bounds.left + 8, bounds.bottom + 200}, &flags), -1);
    EXPECT_EQ(flags & LVHT_ONITEM, 0u);
}

TEST_F(CheckBoxList, ChangesMadeWhileFillingAreToldApartFromLaterOnes) {
    {
        CFillingGuard filling(m_list);
        EXPECT_TRUE(m_list.IsFilling());
        Fill();
        {
            CFillingGuard nested(m_list);
            m_list.SetCheck(2, true);
        }
        EXPECT_TRUE(CListCtrl(m_list.GetSafeHwnd()).IsFilling()); // any wrapper sees it
        m_list.SetCheck(1, true);
    }
    const std::vector<bool> whileFilling = FillingFlags(LVN_ITEMCHANGED);
    EXPECT_FALSE(whileFilling.empty());
    EXPECT_EQ(whileFilling, std::vector<bool>(whileFilling.size(), true));

    EXPECT_FALSE(m_list.IsFilling());
    m_list.SetCheck(0, true);
    EXPECT_EQ(FillingFlags(LVN_ITEMCHANGED), std::vector<bool>{false});
    EXPECT_EQ(::GetPropW(m_list, L"Melvorin.Filling"), nullptr);
}

class CheckBoxTree : public ControlHost {
protected:
    void SetUp() override {
        ControlHost::SetUp();
        m_tree.Attach(CreateControl(WC_TREEVIEWW, TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT |
                                                      TVS_CHECKBOXES | TVS_SHOWSELALWAYS));
        ASSERT_NE(m_tree.GetSafeHwnd(), nullptr);
        m_tree.EnableCheckBoxes();
    }
    void Fill() {
        m_root = m_tree.InsertItem(L"ROOT", 0, 0);
        m_windows = m_tree.InsertItem(L"Windows", 1, 2, m_root, TVI_SORT);
        m_program = m_tree.InsertItem(L"Program Files", 1, 2, m_root, TVI_SORT);
        m_tree.SetItemData(m_root, 1);
        m_tree.SetItemData(m_windows, 2);
        m_tree.SetItemData(m_program, 3);
        m_tree.Expand(m_root, TVE_EXPAND);
    }
    RECT TextRect(HTREEITEM item) const {
        // The rectangle carries the item in, as the message asks.
        RECT rect = {};
        std::memcpy(&rect, &item, sizeof(item));
        m_tree.SendMessage(TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&rect));
        return rect;
    }

    CTreeCtrl m_tree;
    HTREEITEM m_root = nullptr;
    HTREEITEM m_windows = nullptr;
    HTREEITEM m_program = nullptr;
};

TEST_F(CheckBoxTree, ChecksAreStateImagesOneAndTwo) {
    Fill();
    EXPECT_NE(m_tree.SendMessage(TVM_GETIMAGELIST, TVSIL_STATE), 0);
    EXPECT_FALSE(m_tree.GetCheck(m_windows));
    ASSERT_TRUE(m_tree.SetCheck(m_windows, true));
    EXPECT_EQ(m_tree.GetItemState(m_windows, TVIS_STATEIMAGEMASK), UINT(INDEXTOSTATEIMAGEMASK(2)));
    EXPECT_TRUE(m_tree.GetCheck(m_windows));
    EXPECT_FALSE(m_tree.GetCheck(m_program));
    ASSERT_TRUE(m_tree.SetCheck(m_windows, false));
    EXPECT_EQ(m_tree.GetItemState(m_windows, TVIS_STATEIMAGEMASK), UINT(INDEXTOSTATEIMAGEMASK(1)));
}

// A tree made without the style gets its check boxes afterwards.
TEST_F(CheckBoxTree, CheckBoxesCanBeSwitchedOnAfterCreation) {
    CTreeCtrl tree(CreateControl(WC_TREEVIEWW, TVS_HASLINES));
    ASSERT_EQ(tree.SendMessage(TVM_GETIMAGELIST, TVSIL_STATE), 0);
    tree.EnableCheckBoxes();
    EXPECT_NE(::GetWindowLongPtrW(tree, GWL_STYLE) & TVS_CHECKBOXES, 0);
    EXPECT_NE(tree.SendMessage(TVM_GETIMAGELIST, TVSIL_STATE), 0);
    const HTREEITEM item = tree.InsertItem(L"Item", 0, 0);
    ASSERT_TRUE(tree.SetCheck(item, true));
    EXPECT_TRUE(tree.GetCheck(item));
}

TEST_F(CheckBoxTree, ItemsKeepTheirDataAndLongTexts) {
    Fill();
    EXPECT_EQ(m_tree.GetItemData(m_root), 1);
    EXPECT_EQ(m_tree.GetItemData(m_windows), 2);
    EXPECT_EQ(m_tree.GetItemData(m_program), 3);
    EXPECT_EQ(m_tree.GetItemText(m_program), L"Program Files");
    for (const std::wstring& text :
         {std::wstring(1500, L'z'), std::wstring(MAX_PATH, L'y'), std::wstring()}) {
        const HTREEITEM item = m_tree.InsertItem(text, 1, 2, m_root);
        EXPECT_EQ(m_tree.GetItemText(item), text);
    }
}

TEST_F(CheckBoxTree, HitTestFindsTheCheckBoxAndTheLabel) {
    Fill();
    const RECT text = TextRect(m_windows);
    const int middle = (text.top + text.bottom) / 2;
    UINT flags = 0;
    EXPECT_EQ(m_tree.HitTest({text.left + 4, middle}, &flags), m_windows);
    EXPECT_EQ(flags, UINT(TVHT_ONITEMLABEL));
    EXPECT_EQ(m_tree.HitTest({text.left - 8, middle}, &flags), m_windows);
    EXPECT_EQ(flags, UINT(TVHT_ONITEMSTATEICON));
    EXPECT_EQ(m_tree.HitTest({text.left, text.bottom + 200}, &flags), nullptr);
}

TEST_F(CheckBoxTree, SelectionsMadeWhileFillingAreToldApartFromLaterOnes) {
    {
        CFillingGuard filling(m_tree);
        Fill();
        m_tree.SelectItem(m_root);
        EXPECT_TRUE(m_tree.IsFilling());
    }
    EXPECT_EQ(FillingFlags(TVN_SELCHANGEDW), std::vector<bool>{true});
    EXPECT_FALSE(m_tree.IsFilling());
    m_tree.SelectItem(m_windows);
    EXPECT_EQ(FillingFlags(TVN_SELCHANGEDW), std::vector<bool>{false});
}

} // namespace
