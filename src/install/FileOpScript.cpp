#include "install/FileOpScript.h"

#include "common/LineFile.h"
#include "common/TextCase.h"
#include "common/TextFile.h"
#include "common/core/DrivePaths.h"
#include "install/ReplaceFileDlg.h"

#include <cwchar>

namespace {

static_assert(installcore::ScriptAttributes::ReadOnly == FILE_ATTRIBUTE_READONLY &&
              installcore::ScriptAttributes::Hidden == FILE_ATTRIBUTE_HIDDEN &&
              installcore::ScriptAttributes::System == FILE_ATTRIBUTE_SYSTEM &&
              installcore::ScriptAttributes::Archive == FILE_ATTRIBUTE_ARCHIVE &&
              installcore::ScriptAttributes::Normal == FILE_ATTRIBUTE_NORMAL);

// Every line, up to and including the one read together with the end of the file.
template <typename Reader> std::vector<std::wstring> AllLines(Reader& file) {
    std::vector<std::wstring> lines;
    while (!file.IsEnd())
        lines.push_back(file.ReadLine());
    return lines;
}

long long LeadingNumber(const std::wstring& setting) {
    return std::wcstol(setting.c_str(), nullptr, 10);
}

} // namespace

std::vector<std::wstring> ReadScriptLines(CTextFile& file, const std::wstring& header) {
    return installcore::ScriptOperationLines(AllLines(file), header, MakeLower);
}

std::vector<std::wstring> ReadScriptLines(CLineFile& file, const std::wstring& header) {
    return installcore::ScriptOperationLines(AllLines(file), header, MakeLower);
}

DWORD AttributesOf(const std::wstring& list) {
    return installcore::AttributesOf(list);
}

CopyLine ParseCopyLine(std::wstring line) {
    return installcore::ParseCopyLine(std::move(line));
}

RenameLine ParseRenameLine(std::wstring line) {
    return installcore::ParseRenameLine(std::move(line));
}

bool IsDriveRootedPath(const std::wstring& path) {
    return textcore::IsDriveRootedPath(path);
}

int CopyVersionMode(const std::wstring& setting) {
    return installcore::CopyVersionMode(setting, LeadingNumber);
}

int ExtractVersionMode(const std::wstring& setting) {
    return installcore::ExtractVersionMode(setting, LeadingNumber);
}

bool AnswerReplaces(int answer) {
    return answer == CReplaceFileDlg::Yes || answer == CReplaceFileDlg::YesToAll;
}

int ModeAfterAnswer(int mode, int answer) {
    if (answer == CReplaceFileDlg::YesToAll)
        return VersionAlwaysReplace;
    if (answer == CReplaceFileDlg::NoToAll)
        return VersionNeverReplace;
    return mode;
}

std::int64_t UtcSecondsOf(const FILETIME& time) {
    constexpr std::int64_t unitsPerSecond = 10000000;
    constexpr std::int64_t secondsTo1970 = 11644473600;
    const std::int64_t units =
        static_cast<std::int64_t>(std::uint64_t{time.dwHighDateTime} << 32 | time.dwLowDateTime);
    return units / unitsPerSecond - secondsTo1970;
}
