#include "common/RebootFlag.h"

#include "common/FileFind.h"
#include "common/LineFile.h"
#include "common/RemoveFile.h"

bool WriteRebootFlag(const std::wstring& path) {
    CLineFile file;
    return file.Open(path, CLineFile::modeCreate) && file.WriteLine(L"Reboot");
}

void DeleteRebootFlag(const std::wstring& path) {
    // A failure is passed over: a flag that stays makes the run offer a restart that it may not
    // need, which is harmless.
    RemoveFile(path);
}

bool RebootFlagExists(const std::wstring& path) {
    return AnyFileMatches(path);
}
