#include "common/Paths.h"

#include "common/FileFind.h"
#include "common/StringHelpers.h"
#include "common/core/StringRules.h"

#include <windows.h>

bool IsAbsolutePath(const std::wstring& path) {
    return textcore::IsAbsolutePath(path);
}

std::wstring JoinPath(const std::wstring& dir, const std::wstring& name) {
    if (!dir.empty() && dir.back() == L'\\')
        return dir + name;
    return dir + L'\\' + name;
}

void CreateDirectoryPath(const std::wstring& path) {
    std::wstring prefix = path.substr(0, 2);
    std::wstring remainder = path.size() > 3 ? path.substr(3) : std::wstring();
    // A trailing backslash leaves one empty component; creating the same directory again
    // then fails quietly.
    while (!remainder.empty()) {
        prefix += L'\\' + SplitFirst(remainder, L'\\');
        if (!AnyFileMatches(prefix))
            ::CreateDirectoryW(prefix.c_str(), nullptr);
    }
}
