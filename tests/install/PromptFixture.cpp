#include "install/PromptFixture.h"

#include "support/WindowDriver.h"

#include <gtest/gtest.h>

#include <commctrl.h>

PromptTest::PromptTest() {
    INITCOMMONCONTROLSEX init = {sizeof(init), ICC_TREEVIEW_CLASSES | ICC_LISTVIEW_CLASSES};
    ::InitCommonControlsEx(&init);
    wchar_t previous[MAX_PATH] = {};
    ::GetCurrentDirectoryW(MAX_PATH, previous);
    m_strPreviousDir = previous;
}

PromptTest::~PromptTest() {
    ::SetCurrentDirectoryW(m_strPreviousDir.c_str());
}

void PromptTest::UseInstallIni(const std::string& content) {
    WriteAnsi(m_dir / L"Install.ini", content);
    ::SetCurrentDirectoryW(m_dir.Path().c_str());
}

void PromptTest::RunPrompt(const std::wstring& title, const std::function<void()>& modal,
                           const std::function<void(HWND)>& user) {
    std::thread operatorThread([&] {
        HWND window = WaitForOwnDialog(title);
        EXPECT_NE(window, nullptr) << "no window titled " << testing::PrintToString(title);
        if (window)
            user(window);
    });
    modal();
    operatorThread.join();
}

void Press(HWND dialog, int id) {
    ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}

void PressEscape(HWND dialog) {
    ::PostMessageW(dialog, WM_KEYDOWN, VK_ESCAPE, 0);
}

bool IsEnabled(HWND dialog, int id) {
    return ::IsWindowEnabled(::GetDlgItem(dialog, id)) != FALSE;
}

void Type(HWND dialog, int id, const std::wstring& text) {
    ::SendMessageW(::GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

std::wstring AnswerMessageBox() {
    HWND box = WaitForOwnDialog(L"");
    if (!box)
        return L"(no message box)";
    // The text of a message box is its static control 0xFFFF.
    std::wstring text = ItemText(box, 0xFFFF);
    Press(box, IDOK);
    WaitForWindowGone(box);
    return text;
}
