#pragma once

#include "common/SystemLayout.h"
#include "framework/WorkerDlg.h"
#include "install/FileOpScript.h"

#include <functional>
#include <string>

// "Copying Files ...": carries out one file-operation script (FileOpScript.h) or imports one
// registry file, on a worker thread, with an animation, the item at hand and a progress bar.
// There is no Cancel: a script runs to its end. The caller fills the fields and runs DoModal,
// which returns when the work is done; its result means nothing. A script that cannot be
// opened, or has no header, does nothing. Only one such dialog runs at a time.
//
// A target that another process holds is replaced at the next restart of Windows, and the
// reboot flag of the layout is written, so that the run asks for the restart. Script targets
// must be drive-rooted paths (X:\...) and relative sources safe relative paths; other lines are
// passed over.
class CFileOpDlg : public CWorkerDlg {
public:
    CFileOpDlg();

    std::wstring m_strLangSection; // Install.ini section of the texts
    std::wstring m_strScriptPath;  // the script or registry file
    std::wstring m_strSourceRoot;  // relative sources of copy and extract lines lie below it
    int m_nOperation = FileOpNull;
    int m_nSize = 0;            // progress range of a registry-deletion script
    bool m_bMachineWide = true; // registry-deletion options (RegistryScript.h)
    bool m_bPciVariant = false;
    SystemLayout m_layout;                   // registry editor, temporary directory and reboot flag
    std::wstring m_strExtractRoot = L"C:\\"; // where extracted entries go, by their names

protected:
    BOOL OnInitDialog() override;
    void HandOverInputs() override;
    void Work() override;

private:
    // Per script: the settings that the operator's answers change.
    struct ScriptState {
        int mode = 0;
        bool warnMissing = false;
    };

    void CopyScript();
    void RegistryImport();
    void DeleteScript();
    void RegistryDeletionScript();
    void RenameScript();
    void ExtractScript();

    void CopyOneLine(const std::wstring& text, ScriptState& state);
    // True when the new file is staged for the next restart.
    bool CopyOneFile(const std::wstring& source, const CopyLine& line, ScriptState& state);
    void RenameOneLine(const std::wstring& text);
    void ExtractOneContainer(const std::wstring& line, ScriptState& state);

    // Asks the operator, and updates the mode by the answer; true when the file is replaced.
    bool AskReplace(const std::wstring& existingName, std::int64_t existingTime,
                    const std::wstring& newName, std::int64_t newTime, ScriptState& state) const;
    void WarnMissing(const std::wstring& source, ScriptState& state) const;

    std::wstring ScriptSetting(const wchar_t* key) const;
    void ShowTexts(const std::wstring& name, const std::wstring& from) const;
    void StartProgress(size_t count) const;
    void StepProgress() const;

    // The job as the worker reads it: written before the start event.
    struct Job {
        std::wstring language;
        std::wstring scriptPath;
        std::wstring sourceRoot;
        int operation = FileOpNull;
        int size = 0;
        bool machineWide = true;
        bool pciVariant = false;
        SystemLayout layout;
        std::wstring extractRoot;
        std::wstring waitText;
    } m_job;
};
