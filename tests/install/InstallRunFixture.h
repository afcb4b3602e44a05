#pragma once

#include "common/SystemLayout.h"
#include "install/InstallDlg.h"
#include "support/FileBytes.h"
#include "support/TempDir.h"
#include "support/WindowDriver.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

// Fixtures of the installation run's tests. The run writes to fixed places of the Wine
// prefix (C:\I386, the DeskLnk folder, the reboot flag file, the Windows directory's leftovers),
// so each test takes what it touches there into a scoped object that puts it back.

// A directory at a fixed place: made when missing, and then removed with all it holds when the
// test ends. One that existed is left as it is.
class ScopedDirectory {
public:
    explicit ScopedDirectory(const std::wstring& path);
    ~ScopedDirectory();
    ScopedDirectory(const ScopedDirectory&) = delete;
    ScopedDirectory& operator=(const ScopedDirectory&) = delete;

private:
    std::wstring m_path;
    bool m_bMade = false;
};

// A file at a fixed place: what it held is written back when the test ends, or the file is
// removed when there was none.
class PreservedFile {
public:
    explicit PreservedFile(const std::wstring& path);
    ~PreservedFile();
    PreservedFile(const PreservedFile&) = delete;
    PreservedFile& operator=(const PreservedFile&) = delete;
    const std::wstring& Path() const { return m_path; }

private:
    std::wstring m_path;
    bool m_bExisted = false;
    std::string m_content;
};

bool FileExists(const std::wstring& path);

// A message box of this process as the watcher answered it.
struct AnsweredBox {
    std::wstring caption;
    std::wstring text;
    bool hasCancel = false;
};

// Answers every message box of this process with `answer` while it lives, and keeps what it saw.
class MessageBoxAnswerer {
public:
    explicit MessageBoxAnswerer(int answer);
    ~MessageBoxAnswerer() { Stop(); }
    MessageBoxAnswerer(const MessageBoxAnswerer&) = delete;
    MessageBoxAnswerer& operator=(const MessageBoxAnswerer&) = delete;
    const std::vector<AnsweredBox>& Stop();

private:
    std::atomic<bool> m_stop{false};
    std::vector<AnsweredBox> m_seen;
    std::thread m_thread;
};

// What a saved shell link holds.
struct SavedShortcut {
    std::wstring target;
    std::wstring arguments;
    std::wstring workingDirectory;
    int showCommand = -1; // as the file's header holds it
};
SavedShortcut ReadShortcut(const std::wstring& file);

// A recovery source in the test's directory (Source\I386\APPS\DTA), Install.ini as the current
// directory's, and a local copy directory of the test's own below C:\I386, whose name serves
// as a SourceDir.
class InstallRunTest : public ::testing::Test {
protected:
    static constexpr const wchar_t* kTitle = L"Install run test";

    InstallRunTest();
    ~InstallRunTest() override;

    // Replaces Install.ini; [General] Title is kTitle unless `content` has its own [General].
    void UseInstallIni(const std::string& content);
    // An application's description file: `keys` are the lines of its [App] section.
    void WriteDescription(const std::wstring& name, const std::string& keys);
    // The item source directory of a SourceDir: below the source's I386.
    std::wstring ItemSourceDir(const std::wstring& sourceDir) const;
    void WriteSourceFile(const std::wstring& sourceDir, const std::wstring& relative,
                         const std::string& content) const;
    // Places the setup stand-in (and vorq.exe) in the item source directory; returns the path
    // of the log that the setup writes there.
    std::wstring PlaceSetup(const std::wstring& sourceDir) const;

    // Gives a dialog this source, the items and short waits.
    void Prepare(CInstallDlg& dialog, const std::vector<std::wstring>& items) const;
    // Runs the dialog on this thread. `user` (when given) runs on another thread with the
    // dialog once it shows, as an operator would; the run must then wait for the operator.
    void Run(CInstallDlg& dialog, const std::function<void(HWND)>& user = nullptr);
    // Prepares and runs the fixture's own dialog.
    void Run(const std::vector<std::wstring>& items,
             const std::function<void(HWND)>& user = nullptr);

    TempDir m_dir;
    std::wstring m_strRoot; // the source root, with a backslash at the end
    std::wstring m_strI386;
    std::wstring m_strAppsDir;
    ScopedDirectory m_localRoot{L"C:\\I386"};
    TempDir m_local{L"C:\\I386"};
    std::wstring m_strLocalName; // SourceDir of the local copy directory m_local
    PreservedFile m_rebootFlag{L"C:\\Windows\\brelmak.flg"};
    ScopedDirectory m_deskLnk{DesktopLinkDir()};
    CInstallDlg m_dialog{WindowsVersionFlags{}};

private:
    std::wstring m_strPreviousDir;
};

// The operator's part when an item lists missing.inf: the run waits while it asks where the
// file lies, `look` sees the run's dialog meanwhile (and gets the question's), and then the
// operator gives the file up.
void GiveUpMissingInf(const std::function<void(HWND find)>& look);
