#include "restore/RestoreRun.h"

#include "archive/ArchiveNames.h"
#include "common/CommandRunner.h"
#include "common/Paths.h"
#include "common/ReplaceAtRestart.h"
#include "common/RunLog.h"
#include "common/SiblingTempFile.h"
#include "common/StringHelpers.h"
#include "common/TextCase.h"
#include "common/TextConversion.h"

#include <algorithm>
#include <functional>

namespace {

const wchar_t kTargetDrive[] = L"C:\\";

std::wstring Quoted(const std::wstring& path) {
    return L"\"" + path + L"\"";
}

// The directory of a full path: everything before its last backslash.
std::wstring DirectoryOf(const std::wstring& path) {
    const size_t slash = path.rfind(L'\\');
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

} // namespace

void CRestoreSource::AddTarget(const std::wstring& target) {
    std::wstring key = MakeLower(target);
    m_targets.insert(std::upper_bound(m_targets.begin(), m_targets.end(), key), std::move(key));
}

bool CRestoreSource::HasTarget(const std::wstring& target) const {
    return std::binary_search(m_targets.begin(), m_targets.end(), MakeLower(target));
}

void CollectMarkedFiles(const std::wstring& path, const CRestoreFolder& folder,
                        const CRestoreFolder& root, RestorePlan& plan) {
    const std::wstring folderPath = &folder == &root ? path : path + L"\\" + folder.GetName();
    for (size_t i = 0; i < folder.GetFileCount(); ++i) {
        const CRestoreFile& file = folder.GetFile(i);
        if (file.m_nState == 0)
            continue;
        const std::wstring target = folderPath + L"\\" + std::wstring(file.GetName());
        if (file.IsListed()) {
            plan.listTargets.push_back(target);
            continue;
        }
        ++plan.containerFiles;
        auto known =
            std::find_if(plan.sources.begin(), plan.sources.end(), [&](const auto& source) {
                return source->GetSource() == file.GetSource();
            });
        if (known == plan.sources.end())
            known = plan.sources.insert(plan.sources.end(),
                                        std::make_unique<CRestoreSource>(file.GetSource()));
        (*known)->AddTarget(target);
    }
    for (size_t i = 0; i < folder.GetChildCount(); ++i)
        CollectMarkedFiles(folderPath, folder.GetChild(i), root, plan);
}

CRestoreRun::CRestoreRun(std::wstring recoveryRoot, std::wstring rebootFlagPath,
                         IRestoreProgress& progress)
    : m_strI386Dir(JoinPath(recoveryRoot, L"I386")), m_strRebootFlag(std::move(rebootFlagPath)),
      m_progress(progress) {}

void CRestoreRun::Run(const RestorePlan& plan) {
    m_progress.StartSteps(plan.containerFiles);
    for (const auto& source : plan.sources)
        ExtractSource(*source);
    m_progress.StartSteps(static_cast<int>(plan.listTargets.size()));
    for (const std::wstring& target : plan.listTargets)
        ExpandListedFile(target);
}

void CRestoreRun::ExtractSource(const CRestoreSource& source) {
    // A container that went since the inventory is passed over, not created empty.
    if (!m_reader.Open(source.GetSource(), CArchiveReader::OpenMode::OpenExisting)) {
        LogRun(L"Skipped, the container does not open: " + source.GetSource());
        return;
    }
    while (m_reader.ReadEntry(false)) {
        const std::u16string name = m_reader.GetFileName();
        if (!IsSafeEntryName(name)) {
            LogRun(L"Skipped, its name would leave C:\\: " + ToWide(name) + L" in " +
                   source.GetSource());
            m_reader.ReadEntry(true);
            continue;
        }
        const std::wstring target = kTargetDrive + ToWide(name);
        const std::wstring directory = DirectoryOf(target);
        if (directory.back() != L':')
            CreateDirectoryPath(directory);
        if (!source.HasTarget(target)) {
            m_reader.ReadEntry(true);
            continue;
        }
        m_progress.ShowFile(ToWide(name));
        m_progress.Step();
        LogRun(L"From " + source.GetSource() + L": " + ToWide(name));
        if (!ExtractMarkedEntry(target))
            m_reader.ReadEntry(true);
    }
    m_reader.Close();
}

// True when the entry was written (the reader has then moved past it).
bool CRestoreRun::ExtractMarkedEntry(const std::wstring& target) {
    bool extracted = false;
    const auto placeNow = [&] { return extracted = m_reader.ExtractEntry(kTargetDrive); };
    const auto stage = [&](const std::wstring& staged) {
        return extracted = m_reader.ExtractEntryAs(staged);
    };
    PlaceNowOrAtRestart(target, placeNow, stage, m_strRebootFlag);
    return extracted;
}

void CRestoreRun::ExpandListedFile(const std::wstring& target) {
    m_progress.ShowFile(target);
    CreateDirectoryPath(DirectoryOf(target));
    std::wstring compressed = FileNameOf(target);
    compressed.back() = L'_';
    CSiblingTempFile expanded(target);
    const std::wstring tool = JoinPath(m_strI386Dir, L"Expand.exe");
    // The expansion's own failure is in the log with its exit code.
    if (expanded.Created() &&
        RunCommandSucceeded(Quoted(tool) + L" " + Quoted(JoinPath(m_strI386Dir, compressed)) +
                                L" " + Quoted(expanded.Path()),
                            SW_HIDE)) {
        const auto moveTo = [&](const std::wstring& path) {
            return ::MoveFileExW(expanded.Path().c_str(), path.c_str(),
                                 MOVEFILE_REPLACE_EXISTING) != FALSE;
        };
        const auto moveToTarget = [&] { return moveTo(target); };
        if (PlaceNowOrAtRestart(target, moveToTarget, moveTo, m_strRebootFlag) != Placement::Failed)
            expanded.Keep();
    }
    m_progress.Step();
}
