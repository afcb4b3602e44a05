#include "common/CurrentDir.h"

#include "common/core/StringRules.h"

#include <windows.h>

std::wstring GetCurrentDir() {
    // The size is asked for first, so that a directory of any length comes out whole; a
    // failure gives the empty string.
    const DWORD size = GetCurrentDirectoryW(0, nullptr);
    if (size == 0)
        return {};
    std::wstring dir(size, L'\0');
    const DWORD length = GetCurrentDirectoryW(size, dir.data());
    dir.resize(length < size ? length : 0);
    return dir;
}

std::wstring GetCurrentDirSlash() {
    return textcore::WithTrailingBackslash(GetCurrentDir());
}

std::wstring InstallIniPath() {
    return GetCurrentDirSlash() + L"Install.ini";
}
