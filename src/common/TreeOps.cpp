#include "common/TreeOps.h"

#include "common/FileFind.h"
#include "common/Paths.h"
#include "common/TextCase.h"

#include <windows.h>

std::wstring AllEntriesOf(const std::wstring& directory) {
    return JoinPath(directory, L"*.*");
}

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
    CFileFind find;
    for (bool found = find.FindFile(MakeLower(AllEntriesOf(directory))); found;
         found = find.FindNextFile()) {
        if (find.IsDots())
            continue;
        std::wstring path = MakeLower(find.GetFilePath());
        if (!find.IsNormal())
            ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (find.IsDirectory()) {
            DeleteTreeContents(path);
            ::RemoveDirectoryW(path.c_str());
        } else {
            ::DeleteFileW(path.c_str());
        }
    }
}

void RemoveTree(const std::wstring& directory) {
    if (!IsNamed(directory))
        return;
    DeleteTreeContents(directory);
    ::RemoveDirectoryW(directory.c_str());
}

void CopyTree(const std::wstring& source, const std::wstring& destination) {
    CreateDirectoryPath(destination);
    if (!IsNamed(source))
        return;
    CFileFind find;
    for (bool found = find.FindFile(AllEntriesOf(source)); found; found = find.FindNextFile()) {
        if (find.IsDots())
            continue;
        std::wstring target = JoinPath(destination, find.GetFileName());
        if (find.IsDirectory())
            CopyTree(find.GetFilePath(), target);
        else
            ::CopyFileW(find.GetFilePath().c_str(), target.c_str(), FALSE);
    }
}

int CountTreeEntries(const std::wstring& directory) {
    int count = 0;
    if (!IsNamed(directory))
        return count;
    CFileFind find;
    for (bool found = find.FindFile(AllEntriesOf(directory)); found; found = find.FindNextFile()) {
        if (find.IsDots())
            continue;
        ++count;
        if (find.IsDirectory())
            count += CountTreeEntries(find.GetFilePath());
    }
    return count;
}
