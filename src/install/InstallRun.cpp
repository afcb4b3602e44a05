#include "install/InstallRun.h"

#include "common/CopyTreeDlg.h"
#include "common/FileFind.h"
#include "common/Paths.h"
#include "common/PrivateProfile.h"
#include "common/RecoverySource.h"
#include "common/RemoveFile.h"
#include "common/RunLog.h"
#include "common/StringHelpers.h"
#include "framework/Wnd.h"
#include "install/Bundles.h"
#include "install/FindFileDlg.h"
#include "install/InfSection.h"
#include "install/InstallRules.h"
#include "install/Shortcut.h"
#include "resources/resource.h"

namespace {
const wchar_t kDefaultLanguage[] = L"English";

bool IsExistingDirectory(const std::wstring& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}
} // namespace

void CInstallRun::Run() {
    ConfigureRunLog(m_context.windows.Layout());
    LogRun(std::wstring(L"Installation run of ") +
           (m_job.driverMode ? L"drivers" : L"applications") + L" started, recovery source " +
           (m_context.sourceRoot.empty() ? L"none" : m_context.sourceRoot));
    RunItems();
    LogRun(L"Installation run ended");
}

void CInstallRun::RunItems() {
    m_outcome = {};
    m_outcome.itemsDone.assign(m_job.items.size(), false);
    RemoveLeftovers();
    CreateDirectoryPath(m_context.windows.Layout().TempDir());
    m_outcome.started = true;
    m_bShow = ReadShowSetting();
    m_context.language = m_context.sourceRoot.empty()
                             ? kDefaultLanguage
                             : ReadMasterLanguage(m_context.sourceRoot, kDefaultLanguage);
    m_outcome.language = m_context.language;
    m_context.itemSection = m_job.driverMode ? L"Drv" : L"App";
    m_context.i386Dir = m_job.i386Dir;
    ShowHeading();
    // Without a source there is nothing to install, and no bundle either.
    if (m_context.sourceRoot.empty())
        return;
    const std::wstring descriptions = JoinPath(m_job.itemDir, L"DTA");
    for (size_t i = 0; i < m_job.items.size(); ++i) {
        if (!IsGiven(m_job.items[i]))
            continue;
        const InstallItem item =
            ReadInstallItem(JoinPath(descriptions, m_job.items[i]), m_context.itemSection);
        ShowProgress(item.description);
        LogRun(L"Item " + item.description + L" (" + m_job.items[i] + L", " +
               item.installationType + L") started");
        m_outcome.itemsDone[i] = Install(item);
        LogRun(L"Item " + item.description +
               (m_outcome.itemsDone[i] ? L" installed" : L" not installed"));
    }
    ApplyBundles(m_context);
}

// A leftover that cannot be removed is passed over: at worst the run offers a restart that it
// does not need.
void CInstallRun::RemoveLeftovers() const {
    for (const std::wstring& path : LeftoversOfEarlierRuns(m_context.windows.Layout()))
        RemoveFile(path);
}

void CInstallRun::ShowHeading() const {
    const std::wstring heading =
        m_job.driverMode
            ? ProfileLanguageText(m_context.language, L"Main_drv", IDS_INSTALLING_DRIVERS)
            : ProfileLanguageText(m_context.language, L"Main", IDS_INSTALLING_APPS);
    CWnd(m_context.hDialog).SetDlgItemText(IDC_INSTALL_HEADING, heading);
}

void CInstallRun::ShowProgress(const std::wstring& text) const {
    CWnd(m_context.hDialog).SetDlgItemText(IDC_INSTALL_DESCRIPTION, text);
}

bool CInstallRun::Install(const InstallItem& item) {
    const InstallationType type = InstallationTypeOf(item.installationType);
    if (IsRefusedSourceDir(type, item.exeFile, item.sourceDir)) {
        LogRun(L"Skipped, unsafe source directory: " + item.sourceDir + L" of " +
               item.descriptionFile);
        return false;
    }
    const std::wstring itemSourceDir = JoinPath(m_job.i386Dir, item.sourceDir);
    switch (type) {
    case InstallationType::Setup:
        return NamesSetupProgram(item.exeFile) ? RunSetup(item, itemSourceDir)
                                               : CarryOutInfFiles(item, itemSourceDir);
    case InstallationType::Copy:
        return CopyItemFiles(itemSourceDir, LocalCopyDir(item.sourceDir));
    case InstallationType::Desktop:
        return CopyItemFiles(itemSourceDir, LocalCopyDir(item.sourceDir)) &&
               SaveDesktopShortcut(item, LocalCopyDir(item.sourceDir));
    case InstallationType::Unknown:
        break;
    }
    return false;
}

bool CInstallRun::RunSetup(const InstallItem& item, const std::wstring& itemSourceDir) {
    const std::wstring commandLine =
        SetupCommandLine(SetupProgramPath(item.exeFile, itemSourceDir), item.cmdLine);
    const LaunchResult launch = LaunchAndWait(m_context.hDialog, commandLine, m_bShow ? 1 : 0,
                                              m_job.launch, item.longTime, m_job.ticks);
    if (launch.waited) {
        m_outcome.waitResult1 = launch.wait.bVorqFound ? 1 : 0;
        m_outcome.waitResult2 = launch.wait.bProcessesFinished ? 1 : 0;
    }
    return launch.started;
}

// Each INF file is carried out even when an earlier one failed; the item then counts as not
// installed. Giving up a missing file abandons the rest of the item.
bool CInstallRun::CarryOutInfFiles(const InstallItem& item, const std::wstring& itemSourceDir) {
    const std::vector<std::wstring> files = ReadInfFiles(item, m_context.itemSection);
    bool allCarriedOut = !files.empty();
    for (size_t i = 0; i < files.size(); ++i) {
        std::wstring path = JoinPath(itemSourceDir, files[i]);
        const std::wstring section = InfInstallSection(path);
        if (!AnyFileMatches(path) && !FindMissingFile(path))
            return false;
        ShowProgress(InfProgressText(item.description, i + 1, files.size()));
        if (!RunInfSection(m_context, path, section))
            allCarriedOut = false;
    }
    return allCarriedOut;
}

// Asks the operator where the file lies; false when the operator gives it up.
bool CInstallRun::FindMissingFile(std::wstring& path) const {
    CFindFileDlg find;
    find.m_strFileName = FileNameOf(path);
    if (find.DoModal(m_context.hDialog) != IDOK)
        return false;
    path = JoinPath(find.m_strDirectory, find.m_strFileName);
    return true;
}

// A missing source directory would copy nothing and still count as a copy that went through.
bool CInstallRun::CopyItemFiles(const std::wstring& itemSourceDir,
                                const std::wstring& localDir) const {
    if (!IsExistingDirectory(itemSourceDir))
        return false;
    CCopyTreeDlg copy;
    copy.m_strSource = itemSourceDir;
    copy.m_strDestination = localDir;
    copy.DoModal(m_context.hDialog);
    const bool copied = copy.m_nStatus == CCopyTreeDlg::Finished;
    LogRun((copied ? L"Copied " : L"Not copied whole: ") + itemSourceDir + L" to " + localDir);
    return copied;
}

bool CInstallRun::SaveDesktopShortcut(const InstallItem& item, const std::wstring& localDir) const {
    const std::wstring name = ShortcutName(item.description, LoadResString(IDS_DESKTOP_SHORTCUT));
    const std::wstring linkDir = DesktopLinkDir();
    if (name.empty() || linkDir.empty())
        return false;
    // An existing folder is what is wanted; any other failure shows when the link is saved.
    ::CreateDirectoryW(linkDir.c_str(), nullptr);
    ShortcutSpec spec;
    spec.file = JoinPath(linkDir, name + L".lnk");
    spec.target = JoinPath(localDir, item.exeFile);
    spec.arguments = ShortcutArguments(item.cmdLine);
    spec.workingDirectory = localDir;
    spec.showCommand = m_bShow ? 1 : 0;
    const bool saved = SaveShortcut(spec);
    LogRun((saved ? L"Shortcut saved: " : L"Shortcut not saved: ") + spec.file + L" for " +
           spec.target);
    return saved;
}
