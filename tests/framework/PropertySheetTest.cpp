#include "DebugOutputCapture.h"
#include "FrameworkTestIds.h"
#include "framework/PropertySheet.h"
#include "support/WindowDriver.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <thread>

namespace {

std::wstring g_log;

class CTestPage : public CPropertyPageEx {
public:
    CTestPage(UINT id, LRESULT next, LRESULT back)
        : CPropertyPageEx(id), m_next(next), m_back(back) {}
    bool m_bThrowOnSetActive = false;
    bool m_bThrowOnNext = false;
    bool m_bThrowOnBack = false;
    bool m_bThrowOnFinish = false;
    DWORD m_dwButtons = PSWIZB_BACK | PSWIZB_NEXT;
    // Next runs this dialog through RunModal, and notes whether the sheet is enabled afterwards.
    CDialog* m_pModalOnNext = nullptr;
    bool m_bSheetEnabledAfterModal = false;

protected:
    BOOL OnInitDialog() override {
        g_log += L"init" + std::to_wstring(GetTemplateId()) + L" ";
        return TRUE;
    }
    bool OnSetActive() override {
        g_log += L"active" + std::to_wstring(GetTemplateId()) + L" ";
        if (m_bThrowOnSetActive)
            throw 1;
        GetSheet().PostMessage(PSM_SETWIZBUTTONS, 0, m_dwButtons);
        return true;
    }
    LRESULT OnWizardNext() override {
        if (m_bThrowOnNext)
            throw std::runtime_error("no next page today");
        if (m_pModalOnNext) {
            RunModal(*m_pModalOnNext);
            m_bSheetEnabledAfterModal = GetSheet().IsWindowEnabled();
            return kStay;
        }
        return m_next;
    }
    LRESULT OnWizardBack() override {
        if (m_bThrowOnBack)
            throw std::runtime_error("no way back");
        return m_back;
    }
    bool OnWizardFinish() override {
        if (m_bThrowOnFinish)
            throw std::runtime_error("cannot finish");
        return true;
    }
    void OnCancel() override { g_log += L"cancel" + std::to_wstring(GetTemplateId()) + L" "; }

private:
    LRESULT m_next;
    LRESULT m_back;
};

class CTestSheet : public CPropertySheetEx {
public:
    CTestSheet() : CPropertySheetEx(L"Sheet test", nullptr, nullptr) {}

protected:
    BOOL OnInitDialog() override {
        HWND current = reinterpret_cast<HWND>(SendMessage(PSM_GETCURRENTPAGEHWND));
        g_log += current ? L"sheet-after-page " : L"sheet-before-page ";
        return TRUE;
    }
};

// The page on show: its static names it.
std::wstring CurrentPage(HWND sheet) {
    HWND page = reinterpret_cast<HWND>(::SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
    return ItemText(page, IDC_TEST_STATUS);
}

void Press(HWND sheet, int button) {
    ::SendMessageW(sheet, PSM_PRESSBUTTON, button, 0);
}

// Posted, as a click is: the sheet's modal loop looks whether it has ended only after it
// has dispatched a posted message.
void Cancel(HWND sheet) {
    ::PostMessageW(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
}

class WizardSheet : public ::testing::Test {
protected:
    void SetUp() override { g_log.clear(); }
};

TEST_F(WizardSheet, PagesChooseTheNextPageByTemplateId) {
    CTestPage first(IDD_TEST_PAGE1, IDD_TEST_PAGE3, 0);
    CTestPage second(IDD_TEST_PAGE2, 0, 0);
    CTestPage third(IDD_TEST_PAGE3, 0, -1);
    CTestSheet sheet;
    sheet.AddPage(&first);
    sheet.AddPage(&second);
    sheet.AddPage(&third);

    std::wstring afterNext;
    std::wstring afterBack;
    std::thread user([&] {
        HWND window = WaitForOwnDialog(L"Sheet test");
        ASSERT_NE(window, nullptr);
        Press(window, PSBTN_NEXT);
        afterNext = CurrentPage(window);
        Press(window, PSBTN_BACK);
        afterBack = CurrentPage(window);
        Cancel(window);
    });
    sheet.DoModal();
    user.join();

    EXPECT_EQ(afterNext, L"Third page");
    EXPECT_EQ(afterBack, L"Third page");
    EXPECT_EQ(g_log.find(L"init11"), std::wstring::npos) << "the skipped page was never created";
    EXPECT_NE(g_log.find(L"cancel10"), std::wstring::npos);
}

TEST_F(WizardSheet, SheetInitialisationFollowsThatOfTheFirstPage) {
    CTestPage first(IDD_TEST_PAGE1, 0, 0);
    CTestSheet sheet;
    sheet.AddPage(&first);
    std::thread user([] {
        HWND window = WaitForOwnDialog(L"Sheet test");
        ASSERT_NE(window, nullptr);
        Cancel(window);
    });
    sheet.DoModal();
    user.join();
    EXPECT_LT(g_log.find(L"init10"), g_log.find(L"sheet-after-page"));
}

TEST_F(WizardSheet, AnExceptionInAHandlerDoesNotLeaveThePage) {
    CTestPage first(IDD_TEST_PAGE1, 0, 0);
    first.m_bThrowOnSetActive = true;
    CTestPage second(IDD_TEST_PAGE2, 0, 0);
    CTestSheet sheet;
    sheet.AddPage(&first);
    sheet.AddPage(&second);
    std::wstring shown;
    std::thread user([&] {
        HWND window = WaitForOwnDialog(L"Sheet test");
        ASSERT_NE(window, nullptr);
        Press(window, PSBTN_NEXT);
        shown = CurrentPage(window);
        Cancel(window);
    });
    sheet.DoModal();
    user.join();
    EXPECT_EQ(shown, L"Second page");
}

TEST_F(WizardSheet, APageWhoseNextThrowsStaysAndTheExceptionIsRecorded) {
    CTestPage first(IDD_TEST_PAGE1, 0, 0);
    first.m_bThrowOnNext = true;
    CTestPage second(IDD_TEST_PAGE2, 0, 0);
    CTestSheet sheet;
    sheet.AddPage(&first);
    sheet.AddPage(&second);
    DebugOutputCapture debugOutput;
    std::wstring shown;
    std::thread user([&] {
        HWND window = WaitForOwnDialog(L"Sheet test");
        ASSERT_NE(window, nullptr);
        Press(window, PSBTN_NEXT);
        shown = CurrentPage(window);
        Cancel(window);
    });
    sheet.DoModal();
    user.join();
    EXPECT_EQ(shown, L"First page");
    EXPECT_NE(debugOutput.Text().find(L"no next page today"), std::wstring::npos)
        << debugOutput.Text();
}

TEST_F(WizardSheet, APageWhoseBackThrowsStays) {
    CTestPage first(IDD_TEST_PAGE1, 0, 0);
    CTestPage second(IDD_TEST_PAGE2, 0, 0);
    second.m_bThrowOnBack = true;
    CTestSheet sheet;
    sheet.AddPage(&first);
    sheet.AddPage(&second);
    std::wstring afterNext;
    std::wstring afterBack;
    std::thread user([&] {
        HWND window = WaitForOwnDialog(L"Sheet test");
        ASSERT_NE(window, nullptr);
        Press(window, PSBTN_NEXT);
        afterNext = CurrentPage(window);
        Press(window, PSBTN_BACK);
        afterBack = CurrentPage(window);
        Cancel(window);
    });
    sheet.DoModal();
    user.join();
    EXPECT_EQ(afterNext, L"Second page");
    EXPECT_EQ(afterBack, L"Second page");
}

TEST_F(WizardSheet, APageWhoseFinishThrowsKeepsTheSheetOpen) {
    CTestPage only(IDD_TEST_PAGE1, 0, 0);
    only.m_bThrowOnFinish = true;
    only.m_dwButtons = PSWIZB_FINISH;
    CTestSheet sheet;
    sheet.AddPage(&only);
    bool openAfterFinish = false;
    std::wstring shown;
    std::thread user([&] {
        HWND window = WaitForOwnDialog(L"Sheet test");
        ASSERT_NE(window, nullptr);
        Press(window, PSBTN_FINISH);
        openAfterFinish = !WaitForWindowGone(window, 300);
        shown = CurrentPage(window);
        Cancel(window);
    });
    // Cancel, not Finish, ended the sheet.
    EXPECT_EQ(sheet.DoModal(), 0);
    user.join();
    EXPECT_TRUE(openAfterFinish);
    EXPECT_EQ(shown, L"First page");
}

TEST_F(WizardSheet, ADialogThatAPageRunsDisablesTheSheetUntilItEnds) {
    CDialog modal(IDD_TEST_WORKER);
    CTestPage first(IDD_TEST_PAGE1, 0, 0);
    first.m_pModalOnNext = &modal;
    CTestSheet sheet;
    sheet.AddPage(&first);
    HWND sheetWindow = nullptr;
    HWND owner = nullptr;
    bool enabledDuring = true;
    bool enabledAfter = false;
    std::thread user([&] {
        HWND window = WaitForOwnDialog(L"Sheet test");
        ASSERT_NE(window, nullptr);
        sheetWindow = window;
        ::PostMessageW(window, PSM_PRESSBUTTON, PSBTN_NEXT, 0);
        HWND dialog = WaitForOwnDialog(L"Worker test");
        ASSERT_NE(dialog, nullptr);
        owner = ::GetWindow(dialog, GW_OWNER);
        enabledDuring = ::IsWindowEnabled(window) != FALSE;
        PressButton(dialog, IDCANCEL);
        EXPECT_TRUE(WaitForWindowGone(dialog));
        enabledAfter = WaitUntil([window] { return ::IsWindowEnabled(window) != FALSE; });
        Cancel(window);
    });
    sheet.DoModal();
    user.join();
    EXPECT_EQ(owner, sheetWindow);
    EXPECT_FALSE(enabledDuring);
    EXPECT_TRUE(enabledAfter);
    EXPECT_TRUE(first.m_bSheetEnabledAfterModal);
}

} // namespace
