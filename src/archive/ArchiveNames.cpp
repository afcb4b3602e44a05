#include "archive/ArchiveNames.h"

#include "common/core/SafeNames.h"

// Entry names separate their components with backslashes only: a slash, which the file system
// would take for a separator too, is refused as a character.
bool IsSafeEntryName(std::u16string_view name) {
    return name.find(u'/') == std::u16string_view::npos && textcore::IsSafeRelativePath(name);
}

#ifdef _WIN32
bool IsSafeEntryName(std::wstring_view name) {
    return name.find(L'/') == std::wstring_view::npos && textcore::IsSafeRelativePath(name);
}
#endif

bool IsPathSeparator(char16_t c) {
    return textcore::IsPathSeparator(c);
}

std::u16string JoinEntryPath(std::u16string_view destination, std::u16string_view name) {
    std::u16string path(destination);
    if (path.empty() || !IsPathSeparator(path.back())) {
        path += u'\\';
    }
    path += name;
    return path;
}

std::u16string_view ParentPathOf(std::u16string_view path) {
    std::size_t end = path.size();
    while (end > 0 && !IsPathSeparator(path[end - 1])) {
        --end;
    }
    return path.substr(0, end > 0 ? end - 1 : 0);
}
