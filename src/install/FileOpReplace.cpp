#include "install/FileOpReplace.h"

#include "common/SiblingTempFile.h"
#include "common/TextCase.h"

#include <windows.h>

bool ReplaceWithFile(const std::wstring& source, const std::wstring& destination, bool move) {
    if (move)
        return ::MoveFileExW(source.c_str(), destination.c_str(), MOVEFILE_REPLACE_EXISTING) !=
               FALSE;
    CSiblingTempFile copy(destination);
    if (!copy.Created() || !::CopyFileW(source.c_str(), copy.Path().c_str(), FALSE) ||
        !::MoveFileExW(copy.Path().c_str(), destination.c_str(), MOVEFILE_REPLACE_EXISTING))
        return false;
    copy.Keep();
    return true;
}

bool IsSameDrive(const std::wstring& first, const std::wstring& second) {
    return MakeLower(first.substr(0, 3)) == MakeLower(second.substr(0, 3));
}
