#include "common/ReplaceAtRestart.h"

#include "common/ReadOnlyClearance.h"
#include "common/RebootFlag.h"
#include "common/RunLog.h"
#include "common/SiblingTempFile.h"

#include <cwctype>

namespace {

// X:\name or X:\dir\name: the staged file then has a directory of its own to go in.
bool IsAbsoluteFilePath(const std::wstring& path) {
    return path.size() > 3 && std::iswalpha(path[0]) && path[1] == L':' && path[2] == L'\\' &&
           path.back() != L'\\';
}

} // namespace

bool ReplaceAtNextRestart(const std::wstring& target, const StagedFileWriter& write,
                          const std::wstring& rebootFlagPath, MoveFileExFunction moveFileEx) {
    if (!IsAbsoluteFilePath(target))
        return false;
    CSiblingTempFile staged(target);
    if (!staged.Created() || !write(staged.Path()))
        return false;

    CReadOnlyClearance readOnly(target);
    if (!readOnly.Clear())
        return false;
    if (!moveFileEx(staged.Path().c_str(), target.c_str(),
                    MOVEFILE_DELAY_UNTIL_REBOOT | MOVEFILE_REPLACE_EXISTING)) {
        readOnly.Restore();
        return false;
    }
    staged.Keep();

    // Only the offer to restart depends on the flag; see the header.
    WriteRebootFlag(rebootFlagPath);
    return true;
}

bool IsFileInUse(const std::wstring& path) {
    const HANDLE h = ::CreateFileW(path.c_str(), GENERIC_WRITE | DELETE, 0, nullptr, OPEN_EXISTING,
                                   FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h != INVALID_HANDLE_VALUE) {
        ::CloseHandle(h);
        return false;
    }
    const DWORD error = ::GetLastError();
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION;
}

Placement PlaceNowOrAtRestart(const std::wstring& target, const std::function<bool()>& writeInPlace,
                              const StagedFileWriter& writeStaged,
                              const std::wstring& rebootFlagPath) {
    CReadOnlyClearance readOnly(target);
    if (readOnly.Clear()) {
        if (IsFileInUse(target)) {
            if (ReplaceAtNextRestart(target, writeStaged, rebootFlagPath)) {
                LogRun(L"In use, staged to be replaced at the next restart: " + target);
                return Placement::Staged;
            }
        } else if (writeInPlace()) {
            LogRun(L"Written: " + target);
            return Placement::Replaced;
        }
        readOnly.Restore();
    }
    LogRun(L"Could not be written, left as it was: " + target);
    return Placement::Failed;
}
