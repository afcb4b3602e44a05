#include "common/RemoveFile.h"

#include <windows.h>

bool RemoveFile(const std::wstring& path) {
    // A failure here shows in the deletion that follows.
    ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    return ::DeleteFileW(path.c_str()) != FALSE;
}
