#include "DebugOutputCapture.h"
#include "FrameworkTestIds.h"
#include "framework/WorkerDlg.h"
#include "support/WindowDriver.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <thread>

namespace {

// A trivial job: the worker copies its input, or loops until cancelled.
class CTrivialWorkerDlg : public CWorkerDlg {
public:
    enum class Mode { Copy, UntilCancelled, Throw };
    explicit CTrivialWorkerDlg(Mode mode) : CWorkerDlg(IDD_TEST_WORKER), m_mode(mode) {}

    int m_nInput = 7;    // what the dialog hands over
    int m_nJobInput = 0; // the job's copy, which only the worker reads afterwards
    int m_nSeen = -1;
    int m_nWorkerResult = 0;
    int m_nResult = 0;
    bool m_bDoneHandled = false;
    bool m_bFailureHandled = false;
    bool m_bCancelSeen = false;

protected:
    void HandOverInputs() override {
        // A slow hand-over: a worker that did not wait for the start event would read 0.
        ::Sleep(100);
        m_nJobInput = m_nInput;
    }

    void Work() override {
        m_nSeen = m_nJobInput;
        SendMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"Working"));
        if (m_mode == Mode::Throw)
            throw std::runtime_error("the job broke down");
        while (m_mode == Mode::UntilCancelled && !IsCancelRequested())
            ::Sleep(10);
        m_bCancelSeen = IsCancelRequested();
        m_nWorkerResult = m_nSeen * 2;
    }

    void OnWorkerDone() override {
        m_bDoneHandled = true;
        m_nResult = m_nWorkerResult;
    }
    void OnWorkerFailed() override { m_bFailureHandled = true; }

private:
    Mode m_mode;
};

TEST(WorkerDlg, WorkerReadsInputsOnlyAfterTheStartEvent) {
    CTrivialWorkerDlg dialog(CTrivialWorkerDlg::Mode::Copy);
    dialog.m_nInput = 21;
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(dialog.m_nSeen, 21);
}

TEST(WorkerDlg, WorkerDoneEndsTheDialogAndHandsBackResults) {
    CTrivialWorkerDlg dialog(CTrivialWorkerDlg::Mode::Copy);
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_TRUE(dialog.m_bDoneHandled);
    EXPECT_FALSE(dialog.m_bFailureHandled);
    EXPECT_EQ(dialog.m_nResult, 14);
    EXPECT_FALSE(dialog.m_bCancelSeen);
}

TEST(WorkerDlg, EscapeAsksTheWorkerToStopInsteadOfEndingTheDialog) {
    CTrivialWorkerDlg dialog(CTrivialWorkerDlg::Mode::UntilCancelled);
    std::thread user([] {
        HWND window = WaitForOwnDialog(L"Working");
        ASSERT_NE(window, nullptr);
        ::PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    user.join();
    EXPECT_TRUE(dialog.m_bCancelSeen);
    EXPECT_TRUE(dialog.m_bDoneHandled);
}

TEST(WorkerDlg, EnterDoesNotEndTheDialogWhileTheWorkerRuns) {
    CTrivialWorkerDlg dialog(CTrivialWorkerDlg::Mode::UntilCancelled);
    bool stillOpenAfterEnter = false;
    std::thread user([&] {
        HWND window = WaitForOwnDialog(L"Working");
        ASSERT_NE(window, nullptr);
        ::PostMessageW(window, WM_COMMAND, IDOK, 0);
        stillOpenAfterEnter = !WaitForWindowGone(window, 300);
        ::PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    user.join();
    EXPECT_TRUE(stillOpenAfterEnter);
    EXPECT_TRUE(dialog.m_bDoneHandled);
}

TEST(WorkerDlg, AWorkerThatThrowsEndsItsDialogAndReportsTheFailure) {
    CTrivialWorkerDlg dialog(CTrivialWorkerDlg::Mode::Throw);
    DebugOutputCapture debugOutput;
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_TRUE(dialog.m_bFailureHandled);
    EXPECT_FALSE(dialog.m_bDoneHandled) << "no results of a job that broke down";
    EXPECT_NE(debugOutput.Text().find(L"the job broke down"), std::wstring::npos)
        << debugOutput.Text();
}

} // namespace
