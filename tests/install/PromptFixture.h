#pragma once

#include "support/FileBytes.h"
#include "support/TempDir.h"
#include "support/WindowDriver.h"

#include <windows.h>

#include <functional>
#include <string>
#include <thread>

// Runs a prompt modally on the test's thread while `user` drives it from another thread, as
// an operator would. Presses that end a modal loop are posted, so that the loop sees them.
class PromptTest {
public:
    PromptTest();
    ~PromptTest();

    // Runs `modal` (which calls DoModal) with `user` acting on the window with that title.
    void RunPrompt(const std::wstring& title, const std::function<void()>& modal,
                   const std::function<void(HWND)>& user);

    // In a test directory that holds the Install.ini of the test, as the program runs.
    void UseInstallIni(const std::string& content);

protected:
    TempDir m_dir;

private:
    std::wstring m_strPreviousDir;
};

void Press(HWND dialog, int id);
void PressEscape(HWND dialog);
bool IsEnabled(HWND dialog, int id);
// Types into an edit control: the text is replaced and the control reports the change.
void Type(HWND dialog, int id, const std::wstring& text);
// Waits for the message box of the dialog and returns its text after pressing its OK.
std::wstring AnswerMessageBox();
