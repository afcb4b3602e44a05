#include "SourcePc.h"

#include "support/WindowDriver.h"

#include <commctrl.h>
#include <prsht.h>

#include <stdexcept>

namespace {
std::string Narrow(const std::wstring& text) {
    return std::string(text.begin(), text.end());
}

void CopyFromBuild(const char* buildPath, const std::wstring& to) {
    if (!::CopyFileW(HostPath(buildPath).c_str(), to.c_str(), FALSE))
        throw std::runtime_error("cannot copy a program from the build tree");
}
} // namespace

SourcePc::SourcePc() {
    ::CreateDirectoryW(ProgramDir().c_str(), nullptr);
    // The build tree lies on Z:, so everything is copied before Z: goes.
    CopyFromBuild(MELVORIN_PROGRAM, ProgramPath());
    CopyFromBuild(MELVORIN_PARTITION_TOOL, ProgramDir() + L"\\INSTALL.DLL");
    CopyFromBuild(MELVORIN_SETUP_STANDIN, SetupStandinPath());
    ::WritePrivateProfileStringW(L"Partition", L"Log", (m_temp / L"calls.log").c_str(),
                                 (ProgramDir() + L"\\INSTALL.DLL.ini").c_str());
    if (!m_drives.Unmap(L'z'))
        throw std::runtime_error("the mount manager refused to remove Z:");
}

void SourcePc::WriteInstallIni(const std::string& text) const {
    WriteBytes(ProgramDir() + L"\\Install.ini", text);
}

std::wstring SourcePc::AddDrive(wchar_t letter, UINT type) {
    const std::wstring dir = m_temp / (std::wstring(L"drive_") + letter);
    ::CreateDirectoryW(dir.c_str(), nullptr);
    if (!m_drives.Map(letter, dir, type))
        throw std::runtime_error("the mount manager refused a drive");
    return dir;
}

void SourcePc::MakeSourceTree(const std::wstring& root, const std::string& language,
                              const std::vector<std::wstring>& dirs) {
    WriteBytes(root + L"\\Master.log",
               language.empty() ? "[Master]\r\n" : "[Master]\r\nLanguage=" + language + "\r\n");
    for (const std::wstring& dir : dirs) {
        std::wstring path = root;
        size_t start = 0;
        for (size_t end; start <= dir.size(); start = end + 1) {
            end = dir.find(L'\\', start);
            if (end == std::wstring::npos)
                end = dir.size();
            path += L"\\" + dir.substr(start, end - start);
            ::CreateDirectoryW(path.c_str(), nullptr);
        }
        if (dir == L"Preload")
            WriteBytes(path + L"\\WINDOWS.inp", "");
    }
}

std::wstring SourcePc::AddSource(wchar_t letter, const std::string& language,
                                 const std::vector<std::wstring>& dirs) {
    const std::wstring root = AddDrive(letter, DRIVE_FIXED);
    MakeSourceTree(root, language, dirs);
    return root;
}

std::wstring SourcePc::AddHiddenPartition(const std::string& language) {
    const std::wstring hidden = m_temp / L"hidden";
    ::CreateDirectoryW(hidden.c_str(), nullptr);
    MakeSourceTree(hidden, language, {L"I386\\APPS"});
    const std::wstring settings = ProgramDir() + L"\\INSTALL.DLL.ini";
    ::WritePrivateProfileStringW(L"Partition", L"Hidden", hidden.c_str(), settings.c_str());
    ::WritePrivateProfileStringW(L"Partition", L"Shown", (m_temp / L"shown").c_str(),
                                 settings.c_str());
    if (!m_drives.Map(L'z', m_temp / L"shown", DRIVE_FIXED))
        throw std::runtime_error("the mount manager refused Z:");
    return hidden;
}

std::unique_ptr<ChildProcess> SourcePc::StartProgram() const {
    return std::make_unique<ChildProcess>(L"\"" + ProgramPath() + L"\"", ProgramDir());
}

bool SourcePc::PartitionShown() const {
    return ::GetFileAttributesW((m_temp / L"shown\\Master.log").c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::vector<std::string> SourcePc::ToolCalls() const {
    std::vector<std::string> calls;
    if (::GetFileAttributesW((m_temp / L"calls.log").c_str()) == INVALID_FILE_ATTRIBUTES)
        return calls;
    const std::string log = ReadBytes(m_temp / L"calls.log");
    for (size_t start = 0, end; (end = log.find("\r\n", start)) != std::string::npos;
         start = end + 2)
        calls.push_back(log.substr(start, log.find('\t', start) - start));
    return calls;
}

std::string ExposeCall(const SourcePc& pc) {
    return ReleaseCall(pc) + " Z:";
}

std::string ReleaseCall(const SourcePc& pc) {
    return Narrow(pc.ProgramDir()) + "\\INSTALL.DLL";
}

HWND CurrentPage(HWND sheet) {
    return reinterpret_cast<HWND>(::SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
}

HWND WaitForInstallRun(const std::wstring& title, DWORD processId) {
    HWND run = nullptr;
    WaitUntil([&] {
        for (HWND window : FindWindows(L"#32770", title, processId)) {
            if (::GetDlgItem(window, 1015))
                run = window;
        }
        return run != nullptr;
    });
    return run;
}
