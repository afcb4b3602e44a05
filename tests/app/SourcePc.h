#pragma once

#include "WineDrives.h"
#include "support/FileBytes.h"
#include "support/TempDir.h"
#include "support/WindowDriver.h"

#include <memory>

#include <string>
#include <vector>

// A simulated PC in a fresh temporary directory: the program's directory with Install.ini and
// the partition tool's stand-in (INSTALL.DLL, its settings and the log of its calls), and
// drives of the test's choosing. Drive Z: is taken away until the test maps it.
class SourcePc {
public:
    SourcePc();

    std::wstring ProgramDir() const { return m_temp / L"program"; }
    std::wstring ProgramPath() const { return ProgramDir() + L"\\Melvorin.exe"; }
    void WriteInstallIni(const std::string& text) const;
    // A copy of the setup stand-in, made before the build tree's drive went.
    std::wstring SetupStandinPath() const { return m_temp / L"setup.exe"; }

    // A directory mapped as the drive letter with the type; returns the directory.
    std::wstring AddDrive(wchar_t letter, UINT type);
    // A recovery source on a fixed drive: Master.log naming the language ("" for none) and the
    // directories given (such as "I386\\APPS", "I386\\DRV", "Preload").
    std::wstring AddSource(wchar_t letter, const std::string& language,
                           const std::vector<std::wstring>& dirs);
    // A hidden recovery partition that the tool exposes as drive Z:, with I386\APPS.
    std::wstring AddHiddenPartition(const std::string& language);
    bool PartitionShown() const;

    // The program started from its directory.
    std::unique_ptr<ChildProcess> StartProgram() const;

    // The command lines the partition tool was called with, in order.
    std::vector<std::string> ToolCalls() const;

private:
    static void MakeSourceTree(const std::wstring& root, const std::string& language,
                               const std::vector<std::wstring>& dirs);

    TempDir m_temp;
    CWineDrives m_drives;
};

// The tool's two command lines as the program forms them.
std::string ExposeCall(const SourcePc& pc);
std::string ReleaseCall(const SourcePc& pc);

// The wizard's page on show.
HWND CurrentPage(HWND sheet);
// The installation dialog of the program: it carries the wizard's title too, and its heading
// (control 1015) as a control of its own. nullptr when it did not appear within the time.
HWND WaitForInstallRun(const std::wstring& title, DWORD processId);
