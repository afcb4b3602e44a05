#pragma once

#include "common/AppFlags.h"
#include "common/RestartWindows.h"
#include "framework/WorkerDlg.h"
#include "install/InstallRun.h"
#include "install/LaunchSettings.h"

#include <memory>
#include <string>
#include <vector>

// The installation progress dialog: installs a list of applications or drivers from the
// recovery source on its worker thread (CInstallRun), showing the heading and the item at
// hand, and ends with the restart question when a step left the reboot flag file behind.
//
// The caller fills the inputs and runs DoModal (owned by the wizard sheet from a page, without
// owner from the command line), whose result is always IDCANCEL. The run cannot be cancelled;
// when DoModal returns, the run is over and the results below are complete. The worker runs at
// the lowest priority, so that the user interface stays responsive, with COM initialised for
// the shortcuts.
class CInstallDlg : public CWorkerDlg {
public:
    explicit CInstallDlg(const WindowsVersionFlags& windows);

    // Inputs.
    std::wstring m_strI386Dir;         // X:\I386
    std::wstring m_strItemDir;         // X:\I386\APPS or X:\I386\DRV, which holds DTA
    std::wstring m_strSourceRoot;      // X:\, or empty when there is no source
    std::vector<std::wstring> m_items; // description files, in installation order
    bool m_bCheckBoxMode = false;      // carried for the caller; the run does not use it
    bool m_bDriverMode = false;
    bool m_bNoWait = false;    // NoWaitEx: setups are started without waiting
    bool m_bVorqOnly = false;  // WaitVorqOnly: the final wait looks only for vorq.exe
    int m_nTimeOut = 1000;     // seconds of the final wait for an ordinary item
    int m_nLongTimeOut = 2000; // the same for an item with Long_Time = yes
    // Sets the four wait inputs above from [General]'s launch settings.
    void SetLaunchSettings(const LaunchSettings& settings);

    // Results.
    int m_nWaitResult1 = 0;        // the last wait for a setup ended because vorq.exe ran
    int m_nWaitResult2 = 0;        // the last wait ended because the setup's processes ended
    std::vector<bool> m_itemsDone; // per entry of m_items: carried out
    // Every entry of m_items but "none" was carried out.
    bool AllItemsDone() const;

    // Seams for tests: the wait windows' periods, and the restart of Windows.
    WaitTicks m_waitTicks;
    ExitWindowsFunction m_exitWindows = ::ExitWindowsEx;

protected:
    BOOL OnInitDialog() override;
    void HandOverInputs() override;
    void Work() override;
    void OnWorkerDone() override { EndRun(); }
    void OnWorkerFailed() override { EndRun(); }

private:
    void EndRun();

    WindowsVersionFlags m_windows;
    std::unique_ptr<CInstallRun> m_pRun;
};
