#include "install/FileOpScript.h"

#include "common/LineFile.h"
#include "common/StringHelpers.h"
#include "common/TextCase.h"
#include "common/TextFile.h"
#include "install/ReplaceFileDlg.h"

#include <cwctype>
#include <cwchar>

namespace {

template <typename Reader>
std::vector<std::wstring> LinesAfterHeader(Reader& file, const std::wstring& header) {
    std::vector<std::wstring> lines;
    bool inSection = false;
    while (!file.IsEnd()) {
        std::wstring line = file.ReadLine();
        if (!inSection)
            inSection = MakeLower(line) == header;
        else if (!line.empty())
            lines.push_back(std::move(line));
    }
    return lines;
}

struct AttributeToken {
    const wchar_t* token;
    DWORD bit;
};
constexpr AttributeToken kAttributeTokens[] = {
    {L"N", FILE_ATTRIBUTE_NORMAL}, {L"RO", FILE_ATTRIBUTE_READONLY}, {L"H", FILE_ATTRIBUTE_HIDDEN},
    {L"S", FILE_ATTRIBUTE_SYSTEM}, {L"A", FILE_ATTRIBUTE_ARCHIVE},
};

DWORD AttributeOfToken(const std::wstring& token) {
    for (const AttributeToken& known : kAttributeTokens)
        if (token == known.token)
            return known.bit;
    return 0;
}

int ModeOfSetting(const std::wstring& setting, int modeWhenNone, int offset) {
    if (setting == L"none")
        return modeWhenNone;
    return static_cast<int>(std::wcstol(setting.c_str(), nullptr, 10)) + offset;
}

} // namespace

std::vector<std::wstring> ReadScriptLines(CTextFile& file, const std::wstring& header) {
    return LinesAfterHeader(file, header);
}

std::vector<std::wstring> ReadScriptLines(CLineFile& file, const std::wstring& header) {
    return LinesAfterHeader(file, header);
}

DWORD AttributesOf(const std::wstring& list) {
    if (list.empty())
        return FILE_ATTRIBUTE_NORMAL;
    DWORD attributes = 0;
    std::wstring rest = list;
    while (!rest.empty())
        attributes |= AttributeOfToken(SplitFirst(rest, L'/'));
    return attributes;
}

std::wstring CopyLine::DirectoryToCreate() const {
    if (OnlyCreatesDirectory())
        return destination;
    std::wstring directory = destination;
    SplitLast(directory, L'\\');
    return directory;
}

CopyLine ParseCopyLine(std::wstring line) {
    CopyLine parsed;
    parsed.source = SplitFirst(line, L'|');
    parsed.destination = SplitFirst(line, L'|');
    parsed.attributes = AttributesOf(line);
    return parsed;
}

RenameLine ParseRenameLine(std::wstring line) {
    RenameLine parsed;
    parsed.oldPath = SplitFirst(line, L'|');
    parsed.newPath = SplitFirst(line, L'|');
    parsed.attributes = AttributesOf(line);
    return parsed;
}

bool IsDriveRootedPath(const std::wstring& path) {
    return path.size() >= 3 && path[0] < 0x80 && std::iswalpha(path[0]) && path[1] == L':' &&
           path[2] == L'\\';
}

int CopyVersionMode(const std::wstring& setting) {
    return ModeOfSetting(setting, VersionReplaceOlder, 0);
}

int ExtractVersionMode(const std::wstring& setting) {
    return ModeOfSetting(setting, VersionAsk, 1);
}

ReplaceDecision DecideReplace(int mode, std::int64_t existingTime, std::int64_t newTime) {
    if (mode == VersionAlwaysReplace)
        return ReplaceDecision::Replace;
    if (existingTime > newTime)
        return ReplaceDecision::Keep;
    if (mode == VersionReplaceOlder)
        return ReplaceDecision::Replace;
    if (mode == VersionNeverReplace)
        return ReplaceDecision::Keep;
    return ReplaceDecision::Ask;
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
