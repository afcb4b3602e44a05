#include "common/IniReader.h"

#include "common/CurrentDir.h"
#include "common/TextConversion.h"
#include "common/TextFile.h"
#include "common/core/IniRules.h"

namespace {

bool OpenProfile(CTextFile& text, const std::wstring& file) {
    return text.Open(
        ToWide(textcore::ResolveProfilePath(ToUtf16(file), ToUtf16(GetCurrentDirSlash()))));
}

} // namespace

bool GetIniValue(const std::wstring& section, const std::wstring& key, const std::wstring& def,
                 std::wstring& result, const std::wstring& file) {
    CTextFile text;
    std::u16string value;
    if (OpenProfile(text, file) &&
        textcore::FindIniValue(text.Lines(), ToUtf16(section), ToUtf16(key), value)) {
        result = ToWide(value);
        return true;
    }
    result = def;
    return false;
}

void GetIniSectionLines(const std::wstring& section, std::vector<std::wstring>& lines,
                        const std::wstring& file) {
    lines.clear();
    CTextFile text;
    if (!OpenProfile(text, file))
        return;
    for (const std::u16string& line : textcore::ReadIniSectionLines(text.Lines(), ToUtf16(section)))
        lines.push_back(ToWide(line));
}

bool IniSectionHasLines(const std::wstring& section, const std::wstring& file) {
    std::vector<std::wstring> lines;
    GetIniSectionLines(section, lines, file);
    return !lines.empty();
}
