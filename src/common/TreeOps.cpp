#include "common/TreeOps.h"

#include "common/FileFind.h"
#include "common/Paths.h"
#include "common/TextCase.h"

#include <windows.h>

namespace {
// An empty name would stand for the root of the current drive ("\*.*"): the tree operations
// pass it over rather than empty, remove, copy or count a whole drive.
bool IsNamed(const std::wstring& directory) {
    return !directory.empty();
}
} // namespace

void DeleteTreeContents(const std::wstring& directory) {
    if (!IsNamed(directory))
        return;
    ForEachEntry(MakeLower(directory), [](const CFileFind& find) {
        std::wstring path = MakeLower(find.GetFilePath());
        if (!find.IsNormal())
            ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (find.IsDirectory()) {
            DeleteTreeContents(path);
            ::RemoveDirectoryW(path.c_str());
        } else {
            ::DeleteFileW(path.c_str());
        }
    });
}

void RemoveTree(const std::wstring& directory) {
    if (!IsNamed(directory))
        return;
    DeleteTreeContents(directory);
    ::RemoveDirectoryW(directory.c_str());
}

bool CopyTree(const std::wstring& source, const std::wstring& destination) {
    CreateDirectoryPath(destination);
    if (!IsNamed(source))
        return true;
    bool copiedAll = true;
    ForEachEntry(source, [&](const CFileFind& find) {
        std::wstring target = JoinPath(destination, find.GetFileName());
        const bool copied = find.IsDirectory() ? CopyTree(find.GetFilePath(), target)
                                               : ::CopyFileW(find.GetFilePath().c_str(),
                                                             target.c_str(), FALSE) != FALSE;
        copiedAll = copiedAll && copied;
    });
    return copiedAll && AnyFileMatches(destination);
}

int CountTreeEntries(const std::wstring& directory) {
    int count = 0;
    if (!IsNamed(directory))
        return count;
    ForEachEntry(directory, [&](const CFileFind& find) {
        ++count;
        if (find.IsDirectory())
            count += CountTreeEntries(find.GetFilePath());
    });
    return count;
}
