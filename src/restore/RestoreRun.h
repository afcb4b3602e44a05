#pragma once

#include "archive/ArchiveReader.h"
#include "restore/RestoreRecords.h"

#include <memory>
#include <string>
#include <vector>

// An archive container that holds marked files, with the full paths of those files on C:.
// Paths are kept lower-cased and sorted, so that a marked file is found whatever the letter case
// of its folders in the inventory and in the container.
class CRestoreSource : public CObjectBase {
public:
    explicit CRestoreSource(std::wstring source) : m_strSource(std::move(source)) {}

    const std::wstring& GetSource() const { return m_strSource; }
    void AddTarget(const std::wstring& target);
    bool HasTarget(const std::wstring& target) const;
    size_t GetTargetCount() const { return m_targets.size(); }

private:
    std::wstring m_strSource;
    std::vector<std::wstring> m_targets;
};

// What one run restores: the containers in the order their first marked file was met, the
// listed files in walk order, and how many container files are marked.
struct RestorePlan {
    std::vector<std::unique_ptr<CRestoreSource>> sources;
    std::vector<std::wstring> listTargets;
    int containerFiles = 0;
};

// Adds the marked files of `folder` and of the folders below it, files before subfolders.
// `path` is the folder's parent directory ("C:" for the root's children); the root itself, the
// inventory's own root object, adds nothing to the path.
void CollectMarkedFiles(const std::wstring& path, const CRestoreFolder& folder,
                        const CRestoreFolder& root, RestorePlan& plan);

// Where the run shows its progress.
class IRestoreProgress {
public:
    virtual ~IRestoreProgress() = default;
    virtual void ShowFile(const std::wstring& text) = 0;
    // Starts a progress bar of `count` steps, at 0.
    virtual void StartSteps(int count) = 0;
    virtual void Step() = 0;
};

// Writes marked files back to C:\. A file that cannot be replaced now, because it is in use, is
// staged to replace the target at the next restart, and the reboot flag file is written.
// Nothing else is reported: a file that cannot be restored is passed over.
class CRestoreRun {
public:
    // `recoveryRoot` holds I386\Expand.exe and the compressed copies of the listed files.
    CRestoreRun(std::wstring recoveryRoot, std::wstring rebootFlagPath, IRestoreProgress& progress);

    void Run(const RestorePlan& plan);

    // Each container is read once, in its own order; the directory of every safe entry is
    // created, whether or not the entry is marked.
    void ExtractSource(const CRestoreSource& source);
    // The listed file is expanded beside the target under a temporary name; only a complete
    // expansion takes the target's place.
    void ExpandListedFile(const std::wstring& target);

private:
    bool ExtractMarkedEntry(const std::wstring& target);

    std::wstring m_strI386Dir;
    std::wstring m_strRebootFlag;
    IRestoreProgress& m_progress;
    CArchiveReader m_reader; // one reader serves the whole run
};
