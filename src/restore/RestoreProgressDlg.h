#pragma once

#include "common/AppFlags.h"
#include "framework/WorkerDlg.h"
#include "restore/RestoreRun.h"

#include <string>

// The progress of a restore run, which takes place on a worker thread: the phase, a progress
// bar and the file at hand. The run ends with a message box that says it is finished; the
// dialog then closes. The caller sets the inputs and runs DoModal.
class CRestoreProgressDlg : public CWorkerDlg, private IRestoreProgress {
public:
    explicit CRestoreProgressDlg(const WindowsVersionFlags& windows);

    const CRestoreFolder* m_pRoot = nullptr;
    std::wstring m_strLanguage;
    std::wstring m_strRecoveryRoot;

protected:
    void HandOverInputs() override;
    void Work() override;

private:
    void ShowPhase(const wchar_t* key, UINT defaultId) const;
    void ShowFile(const std::wstring& text) override;
    void StartSteps(int count) override;
    void Step() override;

    const WindowsVersionFlags& m_windows;
    // The inputs as the worker sees them.
    struct WorkerInputs {
        const CRestoreFolder* root = nullptr;
        std::wstring language;
        std::wstring recoveryRoot;
    } m_work;
};
