#include "install/PromptFixture.h"
#include "install/ReplaceFileDlg.h"
#include "install/WarningDlg.h"
#include "resources/resource.h"
#include "support/WindowDriver.h"

#include <gtest/gtest.h>

namespace {

class Prompts : public ::testing::Test, public PromptTest {};

TEST_F(Prompts, WarningShowsItsMessageAndOkGoesOn) {
    CWarningDlg dialog;
    dialog.m_strMessage = L"C:\\src\\file.dll not found!";
    INT_PTR result = 0;
    RunPrompt(
        L"", [&] { result = dialog.DoModal(); },
        [](HWND window) {
            EXPECT_EQ(ItemText(window, IDC_WARNING_TEXT), L"C:\\src\\file.dll not found!");
            EXPECT_EQ(ItemText(window, IDCANCEL), L"Ignore all");
            Press(window, IDOK);
        });
    EXPECT_EQ(result, IDOK);
}

TEST_F(Prompts, EscapeInTheWarningCountsAsIgnoreAll) {
    CWarningDlg dialog;
    INT_PTR result = 0;
    RunPrompt(
        L"", [&] { result = dialog.DoModal(); }, PressEscape);
    EXPECT_EQ(result, IDCANCEL);
}

// The installation's worker opens the prompts from its own thread, with no parent.
TEST_F(Prompts, WarningRunsOnAWorkerThread) {
    INT_PTR result = 0;
    std::thread worker([&] {
        CWarningDlg dialog;
        dialog.m_strMessage = L"from the worker";
        result = dialog.DoModal();
    });
    HWND window = WaitForOwnDialog(L"");
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(ItemText(window, IDC_WARNING_TEXT), L"from the worker");
    Press(window, IDCANCEL);
    worker.join();
    EXPECT_EQ(result, IDCANCEL);
}

class ReplaceQuestion : public Prompts {
protected:
    // Shows the question about two files and presses `button`; returns the answer.
    int Answer(int button, std::wstring* question = nullptr, std::wstring* questionEnd = nullptr) {
        CReplaceFileDlg dialog;
        dialog.m_strNewName = L"D:\\I386\\new.dll";
        dialog.m_strExistingName = L"C:\\Windows\\System32\\new.dll";
        dialog.m_strNewTime = L"05/03/2002 10:00:00";
        dialog.m_strExistingTime = L"01/01/2001 08:00:00";
        dialog.m_strLangSection = L"English";
        dialog.m_nAnswer = -1;
        RunPrompt(
            L"", [&] { dialog.DoModal(); },
            [&](HWND window) {
                EXPECT_EQ(ItemText(window, IDC_REPLACE_NEW_NAME), L"D:\\I386\\new.dll");
                EXPECT_EQ(ItemText(window, IDC_REPLACE_EXISTING_NAME),
                          L"C:\\Windows\\System32\\new.dll");
                EXPECT_EQ(ItemText(window, IDC_REPLACE_NEW_TIME), L"05/03/2002 10:00:00");
                EXPECT_EQ(ItemText(window, IDC_REPLACE_EXISTING_TIME), L"01/01/2001 08:00:00");
                if (question)
                    *question = ItemText(window, IDC_REPLACE_QUESTION);
                if (questionEnd)
                    *questionEnd = ItemText(window, IDC_REPLACE_QUESTION_END);
                if (button == IDCANCEL)
                    PressEscape(window);
                else
                    Press(window, button);
            });
        return dialog.m_nAnswer;
    }
};

TEST_F(ReplaceQuestion, EachButtonGivesItsAnswer) {
    UseInstallIni("[English]\r\n");
    EXPECT_EQ(Answer(IDC_REPLACE_YES), CReplaceFileDlg::Yes);
    EXPECT_EQ(Answer(IDC_REPLACE_YES_ALL), CReplaceFileDlg::YesToAll);
    EXPECT_EQ(Answer(IDC_REPLACE_NO), CReplaceFileDlg::No);
    EXPECT_EQ(Answer(IDC_REPLACE_NO_ALL), CReplaceFileDlg::NoToAll);
}

TEST_F(ReplaceQuestion, ClosingWithoutAnAnswerMeansNo) {
    UseInstallIni("[English]\r\n");
    EXPECT_EQ(Answer(IDCANCEL), CReplaceFileDlg::No);
}

TEST_F(ReplaceQuestion, QuestionComesFromTheLanguageSection) {
    UseInstallIni("[English]\r\nConfCopy=Replace this file:\r\nConfCopy2=with this one?\r\n");
    std::wstring question, questionEnd;
    Answer(IDC_REPLACE_NO, &question, &questionEnd);
    EXPECT_EQ(question, L"Replace this file:");
    EXPECT_EQ(questionEnd, L"with this one?");
}

TEST_F(ReplaceQuestion, SectionWithoutTheTextsShowsTheProgramsOwn) {
    UseInstallIni("[English]\r\nOther=1\r\n[German]\r\nConfCopy=Ersetzen?\r\n");
    std::wstring question, questionEnd;
    Answer(IDC_REPLACE_NO, &question, &questionEnd);
    EXPECT_EQ(question, L"Do you wish to replace the existing file:");
    EXPECT_EQ(questionEnd, L"by this one ?");
}

} // namespace
