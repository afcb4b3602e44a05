#pragma once

#include "install/InstallContext.h"
#include "install/InstallItem.h"
#include "install/LaunchAndWait.h"
#include "install/LaunchSettings.h"

#include <string>
#include <vector>

// The inputs of an installation run.
struct InstallJob {
    std::wstring i386Dir;            // X:\I386
    std::wstring itemDir;            // X:\I386\APPS or X:\I386\DRV, which holds DTA
    std::vector<std::wstring> items; // description files in DTA, in order; "none" is passed over
    bool driverMode = false;         // drivers: section "Drv" instead of "App"
    LaunchSettings launch;           // all but `show`, which the run reads when it starts
    WaitTicks ticks;
};

// What a run leaves behind for its dialog.
struct InstallOutcome {
    bool started = false; // the leftovers of earlier runs are gone: a reboot flag is this run's
    int waitResult1 = 0;  // vorq.exe was running when the last wait for a setup ended
    int waitResult2 = 0;  // the last wait for a setup ended because its processes had ended
    std::vector<bool> itemsDone; // per item: carried out
    std::wstring language;       // the run's language section
};

// One installation run: the items of the job one after the other, then the bundle pass.
//
// It runs on the worker thread of the run's dialog (context.hDialog), which has initialised
// COM: it writes the dialog's heading and progress texts through window messages and opens the
// nested dialogs (missing file, tree copy) and the wait windows itself, owned by that dialog.
// An item counts as carried out only when everything it asks for happened: its setup started,
// each of its INF files was carried out, its copy went through, its shortcut was saved.
class CInstallRun {
public:
    CInstallRun(const InstallContext& context, const InstallJob& job)
        : m_context(context), m_job(job) {}

    void Run();
    // Complete once Run has returned; up to the item at hand when Run threw.
    const InstallOutcome& Outcome() const { return m_outcome; }

private:
    void RunItems();
    void RemoveLeftovers() const;
    void ShowHeading() const;
    void ShowProgress(const std::wstring& text) const;

    bool Install(const InstallItem& item);
    bool RunSetup(const InstallItem& item, const std::wstring& itemSourceDir);
    bool CarryOutInfFiles(const InstallItem& item, const std::wstring& itemSourceDir);
    bool FindMissingFile(std::wstring& path) const;
    bool CopyItemFiles(const std::wstring& itemSourceDir, const std::wstring& localDir) const;
    bool SaveDesktopShortcut(const InstallItem& item, const std::wstring& localDir) const;

    InstallContext m_context;
    InstallJob m_job;
    InstallOutcome m_outcome;
    bool m_bShow = true;
};
