#pragma once

#include "restore/RestoreRecords.h"

#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class CArchiveReader;

// The restore inventory: every file that the recovery source can restore, as a tree of folders
// below a root that stands for drive C:. The files come from the archive containers (*.inp) and
// the file lists ALL.W32 and WINDOWS.W32 of the preload directory and of the directories CD0 to
// CD25\PRELOAD on the same drive, in that order: the containers of all those directories first,
// then their lists.

// The rules, without files (restore/core/ListRules.h); the list paths compared with letter case
// as the platform folds it.
bool IsNeverRestored(const std::wstring& directory, const std::wstring& fileName);
std::wstring ListLineTarget(const std::wstring& line);
bool IsExcludedListPath(const std::wstring& fullPath, const std::vector<std::wstring>& exclusions);
CRestoreFolder& FindOrCreateFolder(CRestoreFolder& root, const std::wstring& directory);

// The [ExcludePath] lines of Install.ini, whole.
std::vector<std::wstring> ReadExclusionList();

// The directory of the Nth CD below the drive of the preload directory: "X:\CD<n>\PRELOAD".
std::wstring CdPreloadDir(const std::wstring& preloadDir, int n);
// The preload directory and those of CD0 to CD25 that exist, in that order.
std::vector<std::wstring> PreloadDirs(const std::wstring& preloadDir);

// Builds the inventory into a root folder.
class CInventoryBuilder {
public:
    CInventoryBuilder(CRestoreFolder& root, std::vector<std::wstring> exclusions);

    // Everything the directories offer, in the inventory's order: the containers of each
    // directory in turn, then their lists.
    void Build(const std::vector<std::wstring>& directories);

    // One source at a time.
    void ListContainer(const std::wstring& containerPath);
    void ReadLists(const std::wstring& directory);
    void ReadList(const std::wstring& listPath);
    // `directory` is the full path of the file's directory ("C:" for the root).
    void AddContainerEntry(const std::shared_ptr<const std::wstring>& containerPath,
                           std::wstring_view directory, std::wstring_view fileName,
                           const CArchiveReader& reader);
    void AddListedFile(const std::shared_ptr<const std::wstring>& listPath,
                       std::wstring_view directory, std::wstring_view fileName);

private:
    void ListContainers(const std::wstring& directory);
    CRestoreFolder& FolderOf(std::wstring_view directory);

    CRestoreFolder& m_root;
    std::vector<std::wstring> m_exclusions;
    // Folders already found, by their lower-cased directory: containers hold many entries of
    // one directory in a row, and the lists name the same directories again and again.
    std::unordered_map<std::wstring, CRestoreFolder*> m_folders;
    // The folder of the file before, which the next one mostly shares.
    std::wstring m_strLastDirectory;
    std::wstring m_strKey;
    CRestoreFolder* m_pLastFolder = nullptr;
};
