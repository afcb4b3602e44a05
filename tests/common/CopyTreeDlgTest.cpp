#include "common/CopyTreeDlg.h"
#include "common/TreeFixture.h"
#include "framework/Controls.h"
#include "resources/resource.h"
#include "support/WindowDriver.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <atomic>
#include <stdexcept>
#include <thread>

namespace {

// The copy dialog with a look at its progress bar just before it closes, and, when asked,
// a file copy that fails by throwing.
class CProbedCopyTreeDlg : public CCopyTreeDlg {
public:
    std::atomic<HWND> m_hShown = nullptr;
    int m_nUpper = -1;
    int m_nPos = -1;
    std::wstring m_strFrom;
    bool m_bFailCopies = false;
    mutable std::atomic<int> m_nCopiesTried = 0;

protected:
    void CopyFileOver(const std::wstring& source, const std::wstring& target) const override {
        ++m_nCopiesTried;
        if (m_bFailCopies)
            throw std::runtime_error("the disk is full");
        CCopyTreeDlg::CopyFileOver(source, target);
    }
    BOOL OnInitDialog() override {
        BOOL result = CCopyTreeDlg::OnInitDialog();
        m_hShown = m_hWnd;
        return result;
    }
    void OnWorkerDone() override {
        CCopyTreeDlg::OnWorkerDone();
        CProgressCtrl progress(GetDlgItem(IDC_COPY_PROGRESS));
        m_nUpper = progress.GetUpper();
        m_nPos = progress.GetPos();
        m_strFrom = GetDlgItemText(IDC_COPY_FROM);
    }
};

class CopyTreeDialog : public ::testing::Test {
protected:
    void SetUp() override {
        INITCOMMONCONTROLSEX init = {sizeof(init), ICC_ANIMATE_CLASS | ICC_PROGRESS_CLASS};
        ::InitCommonControlsEx(&init);
    }
    TempDir m_dir;
};

TEST_F(CopyTreeDialog, ProgressRangeIsTheWholeTreeAndEndsFull) {
    WriteTreeFile(m_dir / L"src", L"a.txt", "a");
    WriteTreeFile(m_dir / L"src", L"Sub\\b.txt", "b");
    WriteTreeFile(m_dir / L"src", L"Sub\\Deeper\\c.txt", "c");
    ::SetFileAttributesW((m_dir / L"src\\a.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    WriteTreeFile(m_dir / L"dst", L"a.txt", "old");
    ::SetFileAttributesW((m_dir / L"dst\\a.txt").c_str(), FILE_ATTRIBUTE_READONLY);

    CProbedCopyTreeDlg dialog;
    dialog.m_strSource = m_dir / L"src";
    dialog.m_strDestination = m_dir / L"dst";
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(dialog.m_nStatus, CCopyTreeDlg::Finished);
    EXPECT_EQ(dialog.m_nUpper, 5);
    EXPECT_EQ(dialog.m_nPos, 5);
    // The last directory walked, on its own line.
    EXPECT_EQ(dialog.m_strFrom, L"From'" + m_dir.Path().wstring() + L"\\src\\Sub\\Deeper'\n");
    EXPECT_EQ(ReadBytes(m_dir / L"dst\\Sub\\Deeper\\c.txt"), "c");
    // A read-only target is overwritten, and no copy stays read-only.
    EXPECT_EQ(ReadBytes(m_dir / L"dst\\a.txt"), "a");
    EXPECT_EQ(AttributesOfFile(m_dir / L"dst\\a.txt") & FILE_ATTRIBUTE_READONLY, 0u);
}

TEST_F(CopyTreeDialog, MissingSourceIsAnImmediateSuccessThatCreatesTheDestination) {
    CProbedCopyTreeDlg dialog;
    dialog.m_strSource = m_dir / L"missing";
    dialog.m_strDestination = m_dir / L"new\\dst";
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(dialog.m_nStatus, CCopyTreeDlg::Finished);
    EXPECT_EQ(dialog.m_nUpper, 0);
    EXPECT_TRUE(Exists(m_dir / L"new\\dst"));
    EXPECT_EQ(CountEntriesBelow(m_dir / L"new\\dst"), 0);
}

TEST_F(CopyTreeDialog, ACopyThatThrowsIsReportedAsNotDone) {
    WriteTreeFile(m_dir / L"src", L"a.txt", "a");
    CProbedCopyTreeDlg dialog;
    dialog.m_bFailCopies = true;
    dialog.m_strSource = m_dir / L"src";
    dialog.m_strDestination = m_dir / L"dst";
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(dialog.m_nCopiesTried, 1);
    EXPECT_EQ(dialog.m_nStatus, CCopyTreeDlg::Cancelled);
}

// An empty source would mean the root of the current drive. Every file copy fails here, so
// that a walk that went there would end at its first file.
TEST_F(CopyTreeDialog, AnEmptySourceCopiesNothing) {
    CProbedCopyTreeDlg dialog;
    dialog.m_bFailCopies = true;
    dialog.m_strSource = L"";
    dialog.m_strDestination = m_dir / L"dst";
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(dialog.m_nCopiesTried, 0);
    EXPECT_EQ(dialog.m_nStatus, CCopyTreeDlg::Finished);
    EXPECT_EQ(dialog.m_nUpper, 0);
    EXPECT_EQ(CountEntriesBelow(m_dir / L"dst"), 0);
}

TEST_F(CopyTreeDialog, EscapeStopsBeforeTheNextEntryAndKeepsWhatWasCopied) {
    const int kFiles = 400;
    for (int i = 0; i < kFiles; ++i)
        WriteTreeFile(m_dir / L"src",
                      L"dir" + std::to_wstring(i % 40) + L"\\f" + std::to_wstring(i),
                      "content " + std::to_string(i));

    CProbedCopyTreeDlg dialog;
    dialog.m_strSource = m_dir / L"src";
    dialog.m_strDestination = m_dir / L"dst";
    std::thread user([&dialog] {
        for (int i = 0; i < 2000 && !dialog.m_hShown; ++i)
            ::Sleep(5);
        HWND window = dialog.m_hShown;
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(WindowText(window), L"Copying Files ...");
        HWND progress = ::GetDlgItem(window, IDC_COPY_PROGRESS);
        while (::IsWindow(progress) && ::SendMessageW(progress, PBM_GETPOS, 0, 0) < 20)
            ::Sleep(5);
        ::PostMessageW(window, WM_KEYDOWN, VK_ESCAPE, 0);
    });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    user.join();

    EXPECT_EQ(dialog.m_nStatus, CCopyTreeDlg::Cancelled);
    EXPECT_EQ(dialog.m_nUpper, kFiles + 40);
    EXPECT_LT(dialog.m_nPos, dialog.m_nUpper);
    // Every entry before the one at which the cancel was noticed was copied, and copied whole.
    int copied = CountEntriesBelow(m_dir / L"dst");
    for (int i = 0; i < kFiles; ++i) {
        std::wstring file = L"dst\\dir" + std::to_wstring(i % 40) + L"\\f" + std::to_wstring(i);
        if (Exists(m_dir / file)) {
            EXPECT_EQ(ReadBytes(m_dir / file), "content " + std::to_string(i));
        }
    }
    EXPECT_EQ(copied, dialog.m_nPos - 1);
    EXPECT_GE(copied, 19);
}

} // namespace
