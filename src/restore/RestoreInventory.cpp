#include "restore/RestoreInventory.h"

#include "archive/ArchiveNames.h"
#include "archive/ArchiveReader.h"
#include "common/CurrentDir.h"
#include "common/FileFind.h"
#include "common/InstallIni.h"
#include "common/Paths.h"
#include "common/PrivateProfile.h"
#include "common/TextCase.h"
#include "common/TextConversion.h"
#include "common/TextFile.h"
#include "common/core/StringRules.h"
#include "restore/core/ListRules.h"

#include <algorithm>

bool IsNeverRestored(const std::wstring& directory, const std::wstring& fileName) {
    return restorecore::IsNeverRestored(directory, fileName);
}

std::wstring ListLineTarget(const std::wstring& line) {
    return restorecore::ListLineTarget(line);
}

bool IsExcludedListPath(const std::wstring& fullPath, const std::vector<std::wstring>& exclusions) {
    return restorecore::IsExcludedListPath(fullPath, exclusions, MakeLower);
}

CRestoreFolder& FindOrCreateFolder(CRestoreFolder& root, const std::wstring& directory) {
    return restorecore::FindOrCreateFolder(root, directory);
}

std::vector<std::wstring> ReadExclusionList() {
    return ProfileSection(L"ExcludePath", InstallIniPath());
}

std::wstring CdPreloadDir(const std::wstring& preloadDir, int n) {
    return preloadDir.substr(0, 3) + restorecore::CdPreloadSubdir<std::wstring>(n);
}

std::vector<std::wstring> PreloadDirs(const std::wstring& preloadDir) {
    std::vector<std::wstring> dirs = {preloadDir};
    for (int n = 0; n < restorecore::kCdCount; ++n) {
        const std::wstring dir = CdPreloadDir(preloadDir, n);
        if (AnyFileMatches(dir))
            dirs.push_back(dir);
    }
    return dirs;
}

CInventoryBuilder::CInventoryBuilder(CRestoreFolder& root, std::vector<std::wstring> exclusions)
    : m_root(root), m_exclusions(std::move(exclusions)) {}

void CInventoryBuilder::Build(const std::vector<std::wstring>& directories) {
    for (const std::wstring& dir : directories)
        ListContainers(dir);
    for (const std::wstring& dir : directories)
        ReadLists(dir);
}

void CInventoryBuilder::ListContainers(const std::wstring& directory) {
    ForEachEntry(directory, [this](const CFileFind& find) {
        const std::wstring path = find.GetFilePath();
        if (restorecore::IsContainerName(path, MakeLower))
            ListContainer(path);
    });
}

// Entries with names that would leave C:\ are not offered at all. The path is built in one
// buffer for all entries: a container holds thousands.
void CInventoryBuilder::ListContainer(const std::wstring& containerPath) {
    CArchiveReader reader;
    if (!reader.Open(containerPath, CArchiveReader::OpenMode::OpenExisting))
        return;
    const auto source = std::make_shared<const std::wstring>(containerPath);
    std::wstring path = L"C:\\";
    while (reader.ReadEntry(true)) {
        const std::u16string& name = reader.GetFileName();
        if (!IsSafeEntryName(name))
            continue;
        // Copied unit by unit: appending the other kind of string would make a copy first.
        path.resize(3 + name.size());
        std::copy(name.begin(), name.end(), path.begin() + 3);
        const size_t slash = path.rfind(L'\\');
        const std::wstring_view view(path);
        AddContainerEntry(source, view.substr(0, slash), view.substr(slash + 1), reader);
    }
    reader.Close();
}

void CInventoryBuilder::ReadLists(const std::wstring& directory) {
    for (const char* list : restorecore::kListNames)
        ReadList(JoinPath(directory, textcore::AsciiText<std::wstring>(list)));
}

void CInventoryBuilder::ReadList(const std::wstring& listPath) {
    CTextFile list;
    if (!list.Open(listPath))
        return;
    const auto source = std::make_shared<const std::wstring>(listPath);
    list.Rewind();
    while (!list.IsEnd()) {
        const std::wstring path = ListLineTarget(list.ReadLine());
        if (path.empty() || IsExcludedListPath(path, m_exclusions))
            continue;
        const size_t slash = path.rfind(L'\\');
        const std::wstring_view view(path);
        AddListedFile(source, view.substr(0, slash), view.substr(slash + 1));
    }
    list.Close();
}

void CInventoryBuilder::AddContainerEntry(const std::shared_ptr<const std::wstring>& containerPath,
                                          std::wstring_view directory, std::wstring_view fileName,
                                          const CArchiveReader& reader) {
    if (restorecore::IsNeverRestored(directory, fileName))
        return;
    CRestoreFile& file = FolderOf(directory).AddFile(fileName);
    file.SetSource(containerPath);
    file.m_nSize = static_cast<std::uint32_t>(reader.GetStoredSize());
    file.m_time = reader.GetLastWriteTime();
    const std::uint32_t attributes = reader.GetAttributes();
    file.m_bArchive = (attributes & 0x20) ? 1 : 0;
    file.m_bSystem = (attributes & 0x04) ? 1 : 0;
    file.m_bHidden = (attributes & 0x02) ? 1 : 0;
    file.m_bReadOnly = (attributes & 0x01) ? 1 : 0;
}

void CInventoryBuilder::AddListedFile(const std::shared_ptr<const std::wstring>& listPath,
                                      std::wstring_view directory, std::wstring_view fileName) {
    if (restorecore::IsNeverRestored(directory, fileName))
        return;
    CRestoreFile& file = FolderOf(directory).AddFile(fileName);
    file.SetSource(listPath);
}

CRestoreFolder& CInventoryBuilder::FolderOf(std::wstring_view directory) {
    if (m_pLastFolder && directory == m_strLastDirectory)
        return *m_pLastFolder;
    m_strLastDirectory.assign(directory);
    // The key folds only A to Z, in a buffer of its own, so that a known folder costs no
    // allocation and no call of the platform. Two spellings that differ in other letters get
    // keys of their own, which FindOrCreateFolder then leads to the same folder.
    m_strKey.assign(directory);
    m_strKey = textcore::LowerAsciiLetters(std::move(m_strKey));
    auto known = m_folders.find(m_strKey);
    if (known == m_folders.end())
        known = m_folders.emplace(m_strKey, &FindOrCreateFolder(m_root, m_strLastDirectory)).first;
    m_pLastFolder = known->second;
    return *m_pLastFolder;
}
