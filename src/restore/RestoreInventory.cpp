#include "restore/RestoreInventory.h"

#include "archive/ArchiveNames.h"
#include "archive/ArchiveReader.h"
#include "common/CurrentDir.h"
#include "common/FileFind.h"
#include "common/InstallIni.h"
#include "common/Paths.h"
#include "common/PrivateProfile.h"
#include "common/StringHelpers.h"
#include "common/TextCase.h"
#include "common/TextConversion.h"
#include "common/TextFile.h"
#include "restore/core/ListRules.h"

namespace {
const int kCdCount = 26;
const wchar_t* const kLists[] = {L"ALL.W32", L"WINDOWS.W32"};

bool EndsWith(const std::wstring& text, const std::wstring& tail) {
    return text.size() >= tail.size() &&
           text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

// Splits a full path at its last backslash into its directory (which keeps the path) and name.
std::wstring SplitName(std::wstring& path) {
    return SplitLast(path, L'\\');
}
} // namespace

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
    return preloadDir.substr(0, 3) + L"CD" + std::to_wstring(n) + L"\\PRELOAD";
}

std::vector<std::wstring> PreloadDirs(const std::wstring& preloadDir) {
    std::vector<std::wstring> dirs = {preloadDir};
    for (int n = 0; n < kCdCount; ++n) {
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
        if (EndsWith(MakeLower(path), L".inp"))
            ListContainer(path);
    });
}

// Entries with names that would leave C:\ are not offered at all.
void CInventoryBuilder::ListContainer(const std::wstring& containerPath) {
    CArchiveReader reader;
    if (!reader.Open(containerPath, CArchiveReader::OpenMode::OpenExisting))
        return;
    while (reader.ReadEntry(true)) {
        const std::u16string name = reader.GetFileName();
        if (!IsSafeEntryName(name))
            continue;
        std::wstring directory = L"C:\\" + ToWide(name);
        const std::wstring fileName = SplitName(directory);
        AddContainerEntry(containerPath, directory, fileName, reader);
    }
    reader.Close();
}

void CInventoryBuilder::ReadLists(const std::wstring& directory) {
    for (const wchar_t* list : kLists)
        ReadList(JoinPath(directory, list));
}

void CInventoryBuilder::ReadList(const std::wstring& listPath) {
    CTextFile list;
    if (!list.Open(listPath))
        return;
    list.Rewind();
    while (!list.IsEnd()) {
        std::wstring directory = ListLineTarget(list.ReadLine());
        if (directory.empty() || IsExcludedListPath(directory, m_exclusions))
            continue;
        const std::wstring fileName = SplitName(directory);
        AddListedFile(listPath, directory, fileName);
    }
    list.Close();
}

void CInventoryBuilder::AddContainerEntry(const std::wstring& containerPath,
                                          const std::wstring& directory,
                                          const std::wstring& fileName,
                                          const CArchiveReader& reader) {
    if (IsNeverRestored(directory, fileName))
        return;
    auto file = std::make_unique<CRestoreFile>();
    file->m_strName = fileName;
    file->m_strSource = containerPath;
    file->m_nSize = static_cast<std::uint32_t>(reader.GetStoredSize());
    file->m_time = reader.GetLastWriteTime();
    const std::uint32_t attributes = reader.GetAttributes();
    file->m_bArchive = (attributes & 0x20) ? 1 : 0;
    file->m_bSystem = (attributes & 0x04) ? 1 : 0;
    file->m_bHidden = (attributes & 0x02) ? 1 : 0;
    file->m_bReadOnly = (attributes & 0x01) ? 1 : 0;
    FolderOf(directory).AddFile(std::move(file));
}

void CInventoryBuilder::AddListedFile(const std::wstring& listPath, const std::wstring& directory,
                                      const std::wstring& fileName) {
    if (IsNeverRestored(directory, fileName))
        return;
    auto file = std::make_unique<CRestoreFile>();
    file->m_strName = fileName;
    file->m_strSource = listPath;
    FolderOf(directory).AddFile(std::move(file));
}

CRestoreFolder& CInventoryBuilder::FolderOf(const std::wstring& directory) {
    CRestoreFolder*& folder = m_folders[MakeLower(directory)];
    if (!folder)
        folder = &FindOrCreateFolder(m_root, directory);
    return *folder;
}
