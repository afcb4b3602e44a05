#include "install/InstallRunFixture.h"

#include "common/TreeOps.h"
#include "resources/resource.h"
#include "wait/StandinFixture.h"

#include <gtest/gtest.h>

#include <commctrl.h>
#include <objbase.h>
#include <shlobj.h>

ScopedDirectory::ScopedDirectory(const std::wstring& path) : m_path(path) {
    m_bMade = ::CreateDirectoryW(path.c_str(), nullptr) != FALSE;
}

ScopedDirectory::~ScopedDirectory() {
    if (m_bMade)
        RemoveTree(m_path);
}

bool FileExists(const std::wstring& path) {
    return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

PreservedFile::PreservedFile(const std::wstring& path) : m_path(path) {
    m_bExisted = FileExists(path);
    if (m_bExisted)
        m_content = ReadBytes(path);
}

PreservedFile::~PreservedFile() {
    ::SetFileAttributesW(m_path.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (m_bExisted)
        WriteBytes(m_path, m_content);
    else
        ::DeleteFileW(m_path.c_str());
}

MessageBoxAnswerer::MessageBoxAnswerer(int answer)
    : m_thread([this, answer] {
          WaitUntil(
              [&] {
                  MessageBoxSeen box = WaitForMessageBox(::GetCurrentProcessId(), nullptr, 0);
                  if (box.window) {
                      m_seen.push_back(
                          {box.caption, box.text, ::GetDlgItem(box.window, IDCANCEL) != nullptr});
                      PressButton(box.window, answer);
                      WaitForWindowGone(box.window);
                  }
                  return m_stop.load();
              },
              120000);
      }) {}

const std::vector<AnsweredBox>& MessageBoxAnswerer::Stop() {
    m_stop = true;
    if (m_thread.joinable())
        m_thread.join();
    return m_seen;
}

SavedShortcut ReadShortcut(const std::wstring& file) {
    SavedShortcut saved;
    IShellLinkW* link = nullptr;
    if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                  reinterpret_cast<void**>(&link))))
        return saved;
    IPersistFile* persist = nullptr;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persist)))) {
        if (SUCCEEDED(persist->Load(file.c_str(), STGM_READ))) {
            wchar_t text[MAX_PATH] = {};
            if (SUCCEEDED(link->GetPath(text, MAX_PATH, nullptr, SLGP_RAWPATH)))
                saved.target = text;
            text[0] = 0;
            if (SUCCEEDED(link->GetArguments(text, MAX_PATH)))
                saved.arguments = text;
            text[0] = 0;
            if (SUCCEEDED(link->GetWorkingDirectory(text, MAX_PATH)))
                saved.workingDirectory = text;
        }
        persist->Release();
    }
    link->Release();
    // The platform reads a hidden show command back as a normal one: the header tells.
    const std::string bytes = ReadBytes(file);
    if (bytes.size() >= 0x40)
        saved.showCommand =
            static_cast<unsigned char>(bytes[0x3C]) | static_cast<unsigned char>(bytes[0x3D]) << 8;
    return saved;
}

InstallRunTest::InstallRunTest() {
    INITCOMMONCONTROLSEX init = {sizeof(init),
                                 ICC_ANIMATE_CLASS | ICC_PROGRESS_CLASS | ICC_TREEVIEW_CLASSES};
    ::InitCommonControlsEx(&init);
    ::CoInitialize(nullptr);
    wchar_t previous[MAX_PATH] = {};
    ::GetCurrentDirectoryW(MAX_PATH, previous);
    m_strPreviousDir = previous;
    ::SetCurrentDirectoryW(m_dir.Path().c_str());
    UseInstallIni("");

    m_strRoot = m_dir / L"Source\\";
    m_strI386 = m_strRoot + L"I386";
    m_strAppsDir = m_strI386 + L"\\APPS";
    ::CreateDirectoryW(m_strRoot.c_str(), nullptr);
    ::CreateDirectoryW(m_strI386.c_str(), nullptr);
    ::CreateDirectoryW(m_strAppsDir.c_str(), nullptr);
    ::CreateDirectoryW((m_strAppsDir + L"\\DTA").c_str(), nullptr);
    m_strLocalName = m_local.Path().filename().wstring();
}

InstallRunTest::~InstallRunTest() {
    ::SetCurrentDirectoryW(m_strPreviousDir.c_str());
    ::CoUninitialize();
}

void InstallRunTest::UseInstallIni(const std::string& content) {
    const bool ownGeneral = content.find("[General]") != std::string::npos;
    WriteAnsi(m_dir / L"Install.ini",
              (ownGeneral ? "" : "[General]\r\nTitle=Install run test\r\n") + content);
}

void InstallRunTest::WriteDescription(const std::wstring& name, const std::string& keys) {
    WriteAnsi(m_strAppsDir + L"\\DTA\\" + name, "[App]\r\n" + keys);
}

std::wstring InstallRunTest::ItemSourceDir(const std::wstring& sourceDir) const {
    return m_strI386 + L"\\" + sourceDir;
}

void InstallRunTest::WriteSourceFile(const std::wstring& sourceDir, const std::wstring& relative,
                                     const std::string& content) const {
    std::wstring path = ItemSourceDir(sourceDir);
    ::CreateDirectoryW(path.c_str(), nullptr);
    std::wstring rest = relative;
    for (size_t slash = rest.find(L'\\'); slash != std::wstring::npos; slash = rest.find(L'\\')) {
        path += L"\\" + rest.substr(0, slash);
        ::CreateDirectoryW(path.c_str(), nullptr);
        rest = rest.substr(slash + 1);
    }
    WriteBytes(path + L"\\" + rest, content);
}

std::wstring InstallRunTest::PlaceSetup(const std::wstring& sourceDir) const {
    const std::wstring dir = ItemSourceDir(sourceDir);
    ::CreateDirectoryW(dir.c_str(), nullptr);
    ::CopyFileW(StandinPath(L"setup.exe").c_str(), (dir + L"\\setup.exe").c_str(), FALSE);
    ::CopyFileW(StandinPath(L"vorq.exe").c_str(), (dir + L"\\vorq.exe").c_str(), FALSE);
    return dir + L"\\setup.log";
}

void InstallRunTest::Prepare(CInstallDlg& dialog, const std::vector<std::wstring>& items) const {
    dialog.m_strSourceRoot = m_strRoot;
    dialog.m_strI386Dir = m_strI386;
    dialog.m_strItemDir = m_strAppsDir;
    dialog.m_items = items;
    dialog.m_nTimeOut = 5;
    dialog.m_nLongTimeOut = 5;
    // The schedule of the real wait windows, ten times faster.
    dialog.m_waitTicks = {100, 400};
}

void InstallRunTest::Run(CInstallDlg& dialog, const std::function<void(HWND)>& user) {
    std::thread operatorThread;
    if (user) {
        operatorThread = std::thread([&user] {
            HWND window = WaitForOwnDialog(kTitle);
            EXPECT_NE(window, nullptr) << "the run's dialog did not show";
            if (window)
                user(window);
        });
    }
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    if (operatorThread.joinable())
        operatorThread.join();
}

void InstallRunTest::Run(const std::vector<std::wstring>& items,
                         const std::function<void(HWND)>& user) {
    Prepare(m_dialog, items);
    Run(m_dialog, user);
}

void GiveUpMissingInf(const std::function<void(HWND find)>& look) {
    HWND find = WaitForOwnDialog(L"Find Files... - Missing MISSING.INF");
    ASSERT_NE(find, nullptr);
    look(find);
    PressButton(find, IDC_FINDFILE_IGNORE);
}
