#include "FrameworkTestIds.h"
#include "framework/PropertySheet.h"
#include "support/WindowDriver.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>

namespace {

std::wstring g_log;

class CTestPage : public CPropertyPageEx {
public:
    CTestPage(UINT id, LRESULT next, LRESULT back)
        : CPropertyPageEx(id), m_next(next), m_back(back) {}
    bool m_bThrowOnSetActive = false;

protected:
    BOOL OnInitDialog() override {
        g_log += L"init" + std::to_wstring(GetTemplateId()) + L" ";
        return TRUE;
    }
    bool OnSetActive() override {
        g_log += L"active" + std::to_wstring(GetTemplateId()) + L" ";
        if (m_bThrowOnSetActive)
            throw 1;
        GetSheet().PostMessage(PSM_SETWIZBUTTONS, 0, PSWIZB_BACK | PSWIZB_NEXT);
        return true;
    }
    LRESULT OnWizardNext() override { return m_next; }
    LRESULT OnWizardBack() override { return m_back; }
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

} // namespace
