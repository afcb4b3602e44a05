// The window drivers against check_host.exe, another process with a check-box list and a
// check-box tree that records how it was clicked and ticked.
#include "support/FileBytes.h"
#include "support/MouseInput.h"
#include "support/RemoteBuffer.h"
#include "support/RemoteControls.h"
#include "support/TempDir.h"
#include "support/WindowDriver.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>

using ::testing::ElementsAre;

namespace {

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    for (std::size_t start = 0, end; start < text.size(); start = end + 2) {
        end = text.find("\r\n", start);
        if (end == std::string::npos)
            end = text.size();
        lines.push_back(text.substr(start, end - start));
    }
    return lines;
}

bool IsEmpty(const RECT& rect) {
    return rect.right <= rect.left || rect.bottom <= rect.top;
}

POINT Middle(const RECT& rect) {
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

class CheckHost : public ::testing::Test {
protected:
    void SetUp() override {
        m_host = std::make_unique<ChildProcess>(L"\"" + HostPath(MELVORIN_CHECK_HOST) + L"\" \"" +
                                                    m_log.wstring() + L"\"",
                                                m_dir.Path());
        ASSERT_TRUE(m_host->Started());
        m_window = WaitForWindow(L"CheckHost", L"Check Host", 10000, m_host->Id());
        ASSERT_NE(m_window, nullptr);
        m_list = ::FindWindowExW(m_window, nullptr, WC_LISTVIEWW, nullptr);
        m_tree = ::FindWindowExW(m_window, nullptr, WC_TREEVIEWW, nullptr);
        ASSERT_NE(m_list, nullptr);
        ASSERT_NE(m_tree, nullptr);
    }

    // Closes the host, which then records its ticks, and returns the lines it recorded.
    std::vector<std::string> CloseAndReadLog() {
        ::PostMessageW(m_window, WM_CLOSE, 0, 0);
        EXPECT_TRUE(m_host->WaitForExit());
        return Lines(ReadBytes(m_log));
    }

    TempDir m_dir;
    std::filesystem::path m_log = m_dir / L"host.log";
    std::unique_ptr<ChildProcess> m_host;
    HWND m_window = nullptr;
    HWND m_list = nullptr;
    HWND m_tree = nullptr;
};

TEST_F(CheckHost, ListItemsOfAnotherProcessAreReadWhole) {
    ASSERT_EQ(ListItemCount(m_list), 4);
    EXPECT_EQ(ListItemText(m_list, 0), L"Alpha");
    EXPECT_EQ(ListItemText(m_list, 1, 1), L"second");
    EXPECT_EQ(ListItemText(m_list, 3, 1), std::wstring(600, L'd'));
    EXPECT_EQ(ListItemText(m_list, 4), L"");
    EXPECT_EQ(FindListItem(m_list, L"Gamma"), 2);
    EXPECT_EQ(FindListItem(m_list, L"Omega"), -1);

    const RECT first = ListItemRect(m_list, 0);
    const RECT label = ListItemRect(m_list, 1, LVIR_LABEL);
    EXPECT_FALSE(IsEmpty(first));
    EXPECT_GE(label.top, first.bottom);
    EXPECT_TRUE(IsEmpty(ListItemRect(m_list, 4)));
    const LVHITTESTINFO hit = ListHitTest(m_list, Middle(label));
    EXPECT_EQ(hit.iItem, 1);
    EXPECT_TRUE(hit.flags & LVHT_ONITEMLABEL);
}

TEST_F(CheckHost, TreeItemsOfAnotherProcessAreWalkedAndFound) {
    const HTREEITEM drivers = TreeRoot(m_tree);
    EXPECT_EQ(TreeItemText(m_tree, drivers), L"Drivers");
    const HTREEITEM sound = TreeChild(m_tree, drivers);
    EXPECT_EQ(TreeItemText(m_tree, sound), L"Sound");
    const HTREEITEM video = TreeNext(m_tree, sound);
    EXPECT_EQ(TreeItemText(m_tree, video), L"Video");
    EXPECT_EQ(TreeNext(m_tree, video), nullptr);
    EXPECT_EQ(TreeChild(m_tree, video), nullptr);
    EXPECT_EQ(FindTreeItem(m_tree, {L"Drivers", L"Video"}), video);
    EXPECT_EQ(FindTreeItem(m_tree, {L"Tools"}), TreeNext(m_tree, drivers));
    EXPECT_EQ(FindTreeItem(m_tree, {L"Drivers", L"Tools"}), nullptr);

    const RECT row = TreeItemRect(m_tree, sound);
    const RECT label = TreeItemRect(m_tree, sound, true);
    EXPECT_FALSE(IsEmpty(label));
    EXPECT_GE(label.left, row.left);
    EXPECT_LE(label.right, row.right);
    const TVHITTESTINFO hit = TreeHitTest(m_tree, Middle(label));
    EXPECT_EQ(hit.hItem, sound);
    EXPECT_TRUE(hit.flags & TVHT_ONITEMLABEL);
}

// Setting a box is no click; a real click is one where the host's hit test of GetMessagePos
// finds the box, as the pages check it.
TEST_F(CheckHost, TicksBySettingAndByRealClicks) {
    SetListItemChecked(m_list, 0, true);
    SetListItemChecked(m_list, 1, true);
    SetListItemChecked(m_list, 1, false);
    ASSERT_TRUE(ClickListItemCheckBox(m_list, 2));
    EXPECT_TRUE(IsListItemChecked(m_list, 0));
    EXPECT_FALSE(IsListItemChecked(m_list, 1));
    EXPECT_TRUE(IsListItemChecked(m_list, 2));

    const HTREEITEM sound = FindTreeItem(m_tree, {L"Drivers", L"Sound"});
    const HTREEITEM video = FindTreeItem(m_tree, {L"Drivers", L"Video"});
    SetTreeItemChecked(m_tree, sound, true);
    ASSERT_TRUE(ClickTreeItemCheckBox(m_tree, video));
    EXPECT_TRUE(IsTreeItemChecked(m_tree, sound));
    EXPECT_TRUE(IsTreeItemChecked(m_tree, video));
    EXPECT_FALSE(IsTreeItemChecked(m_tree, TreeRoot(m_tree)));

    EXPECT_THAT(CloseAndReadLog(),
                ElementsAre("list click=Gamma", "tree click=Video", "list checked=Alpha,Gamma",
                            "tree checked=Sound,Video"));
}

TEST_F(CheckHost, ItsMessageBoxIsFoundByOwnerAndAnswered) {
    EXPECT_EQ(WaitForMessageBox(m_host->Id(), nullptr, 0).window, nullptr);
    HWND ask = ::FindWindowExW(m_window, nullptr, L"Button", L"Ask");
    ASSERT_NE(ask, nullptr);
    PressButton(m_window, ::GetDlgCtrlID(ask));

    const MessageBoxSeen box = WaitForMessageBox(m_host->Id(), m_window);
    ASSERT_NE(box.window, nullptr);
    EXPECT_EQ(box.caption, L"Check Host");
    EXPECT_EQ(box.text, L"Record the ticks?");
    EXPECT_EQ(WaitForMessageBox(m_host->Id(), m_list, 0).window, nullptr);
    EXPECT_EQ(WaitForMessageBox(::GetCurrentProcessId(), nullptr, 0).window, nullptr);
    PressButton(box.window, IDOK);
    EXPECT_TRUE(WaitForWindowGone(box.window));

    EXPECT_THAT(CloseAndReadLog(), ElementsAre("answer=1", "list checked=", "tree checked="));
}

TEST_F(CheckHost, ControlsThatAreGoneThrow) {
    RemoteBuffer buffer(m_list, sizeof(RECT));
    EXPECT_THROW(buffer.Put(RECT{}, 1), std::out_of_range);
    EXPECT_THROW(buffer.Address(sizeof(RECT) + 1), std::out_of_range);

    CloseAndReadLog();
    EXPECT_THROW(ListItemCount(m_list), std::runtime_error);
    EXPECT_THROW(ListItemText(m_list, 0), std::runtime_error);
    EXPECT_THROW(TreeRoot(m_tree), std::runtime_error);
    EXPECT_THROW(RemoteBuffer(m_tree, 16), std::runtime_error);
}

} // namespace
