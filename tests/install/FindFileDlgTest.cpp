#include "install/FindFileDlg.h"
#include "install/PromptFixture.h"
#include "resources/resource.h"
#include "support/WindowDriver.h"

#include <gtest/gtest.h>

namespace {

const wchar_t kNetworkTitle[] = L"Find Files... - Missing NETWORK.INF";

class FindFile : public ::testing::Test, public PromptTest {
protected:
    // Asks for network.inf while `user` answers.
    INT_PTR Ask(const std::function<void(HWND)>& user) {
        m_dialog.m_strFileName = L"Network.inf";
        INT_PTR result = 0;
        RunPrompt(
            kNetworkTitle, [&] { result = m_dialog.DoModal(); }, user);
        return result;
    }

    CFindFileDlg m_dialog;
};

TEST_F(FindFile, AsksForTheFileByItsNameAndReturnsItInUpperCase) {
    INT_PTR result = Ask([](HWND window) {
        EXPECT_EQ(ItemText(window, IDC_FINDFILE_MESSAGE),
                  L"The File 'network.inf' is not in the source directory.\n"
                  L"Please enter the directory path where this file is.");
        EXPECT_FALSE(IsEnabled(window, IDOK));
        // "D:\" ends with a backslash: taken as given, whether or not the drive exists.
        Type(window, IDC_FINDFILE_DIR, L"D:\\");
        EXPECT_TRUE(IsEnabled(window, IDOK));
        Press(window, IDOK);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(m_dialog.m_strDirectory, L"D:\\");
    EXPECT_EQ(m_dialog.m_strFileName, L"NETWORK.INF");
    EXPECT_FALSE(m_dialog.m_bIgnored);
}

TEST_F(FindFile, DialogIsCentredOnTheScreen) {
    Ask([](HWND window) {
        RECT rect;
        ::GetWindowRect(window, &rect);
        EXPECT_NEAR(rect.left + rect.right, ::GetSystemMetrics(SM_CXSCREEN), 2);
        EXPECT_NEAR(rect.top + rect.bottom, ::GetSystemMetrics(SM_CYSCREEN), 2);
        Press(window, IDC_FINDFILE_IGNORE);
    });
}

TEST_F(FindFile, OkRefusesAnEmptyOrMissingDirectoryAndAcceptsAnExistingOne) {
    std::wstring existing = m_dir.Path();
    INT_PTR result = Ask([&](HWND window) {
        Type(window, IDC_FINDFILE_DIR, L"x");
        Type(window, IDC_FINDFILE_DIR, L"");
        EXPECT_TRUE(IsEnabled(window, IDOK)); // emptying the field leaves OK as it was
        Press(window, IDOK);
        EXPECT_EQ(AnswerMessageBox(), L"This directory is not an existing directory!");

        Type(window, IDC_FINDFILE_DIR, existing + L"\\missing");
        Press(window, IDOK);
        EXPECT_EQ(AnswerMessageBox(), L"This directory is not an existing directory!");
        EXPECT_EQ(ItemText(window, IDC_FINDFILE_DIR), L"");
        EXPECT_TRUE(IsEnabled(window, IDOK));

        Type(window, IDC_FINDFILE_DIR, existing);
        Press(window, IDOK);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(m_dialog.m_strDirectory, existing);
}

TEST_F(FindFile, AFileOrAPatternIsNotADirectory) {
    WriteBytes(m_dir / L"file.txt", "x");
    std::wstring file = m_dir / L"file.txt";
    const std::wstring dir = m_dir.Path();
    std::wstring pattern = dir.substr(0, dir.size() - 1) + L"*";
    Ask([&](HWND window) {
        for (const std::wstring& typed : {file, pattern}) {
            Type(window, IDC_FINDFILE_DIR, typed);
            Press(window, IDOK);
            EXPECT_EQ(AnswerMessageBox(), L"This directory is not an existing directory!");
        }
        Press(window, IDC_FINDFILE_IGNORE);
    });
}

TEST_F(FindFile, IgnoreTheFileGivesUp) {
    EXPECT_EQ(Ask([](HWND window) { Press(window, IDC_FINDFILE_IGNORE); }), IDCANCEL);
    EXPECT_TRUE(m_dialog.m_bIgnored);
}

TEST_F(FindFile, EscapeGivesUpWithoutTheIgnoredFlag) {
    EXPECT_EQ(Ask(PressEscape), IDCANCEL);
    EXPECT_FALSE(m_dialog.m_bIgnored);
}

} // namespace
