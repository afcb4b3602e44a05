#include "install/core/ScriptLineRules.h"

#include "common/core/StringRules.h"

#include <climits>

namespace installcore {

namespace {

using textcore::AsciiText;
using textcore::SplitFirst;

struct AttributeToken {
    std::string_view token;
    std::uint32_t bit;
};
constexpr AttributeToken kAttributeTokens[] = {
    {"N", ScriptAttributes::Normal},  {"RO", ScriptAttributes::ReadOnly},
    {"H", ScriptAttributes::Hidden},  {"S", ScriptAttributes::System},
    {"A", ScriptAttributes::Archive},
};

template <typename String> std::uint32_t AttributeOfToken(const String& token) {
    for (const AttributeToken& known : kAttributeTokens)
        if (token == AsciiText<String>(known.token))
            return known.bit;
    return 0;
}

template <typename String>
int ModeOfSetting(const String& setting, LeadingNumber<String> number, int modeWhenNone,
                  int offset) {
    if (setting == AsciiText<String>("none"))
        return modeWhenNone;
    // The nearest end of the range, before the sum could overflow.
    const long long read = number(setting);
    if (read > static_cast<long long>(INT_MAX) - offset)
        return INT_MAX;
    if (read < static_cast<long long>(INT_MIN) - offset)
        return INT_MIN;
    return static_cast<int>(read + offset);
}

template <typename String> bool BeginsWithHk(const String& text) {
    return text.size() >= 2 && text[0] == 'H' && text[1] == 'K';
}

} // namespace

template <typename String>
std::optional<std::size_t> ScriptOperationsStart(const std::vector<String>& lines,
                                                 const String& header,
                                                 textcore::CaseFold<String> lower) {
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (lower(lines[i]) == header)
            return i + 1;
    return std::nullopt;
}

template <typename String>
std::vector<String> ScriptOperationLines(const std::vector<String>& lines, const String& header,
                                         textcore::CaseFold<String> lower) {
    std::vector<String> operations;
    const std::optional<std::size_t> start = ScriptOperationsStart(lines, header, lower);
    for (std::size_t i = start.value_or(lines.size()); i < lines.size(); ++i)
        if (!lines[i].empty())
            operations.push_back(lines[i]);
    return operations;
}

template <typename String> std::uint32_t AttributesOf(const String& list) {
    if (list.empty())
        return ScriptAttributes::Normal;
    std::uint32_t attributes = 0;
    String rest = list;
    while (!rest.empty())
        attributes |= AttributeOfToken(SplitFirst(rest, '/'));
    return attributes;
}

template <typename String> String CopyLine<String>::DirectoryToCreate() const {
    if (OnlyCreatesDirectory())
        return destination;
    String directory = destination;
    textcore::SplitLast(directory, '\\');
    return directory;
}

template <typename String> CopyLine<String> ParseCopyLine(String line) {
    CopyLine<String> parsed;
    parsed.source = SplitFirst(line, '|');
    parsed.destination = SplitFirst(line, '|');
    parsed.attributes = AttributesOf(line);
    return parsed;
}

template <typename String> RenameLine<String> ParseRenameLine(String line) {
    RenameLine<String> parsed;
    parsed.oldPath = SplitFirst(line, '|');
    parsed.newPath = SplitFirst(line, '|');
    parsed.attributes = AttributesOf(line);
    return parsed;
}

template <typename String>
int CopyVersionMode(const String& setting, LeadingNumber<String> number) {
    return ModeOfSetting(setting, number, VersionReplaceOlder, 0);
}

template <typename String>
int ExtractVersionMode(const String& setting, LeadingNumber<String> number) {
    return ModeOfSetting(setting, number, VersionAsk, 1);
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

template <typename String> RegistryScriptLine<String> ParseRegistryScriptLine(String line) {
    RegistryScriptLine<String> parsed;
    parsed.rootName = SplitFirst(line, '\\');
    parsed.subkey = SplitFirst(line, '|');
    parsed.kind = SplitFirst(line, '|');
    parsed.valueName = SplitFirst(line, '|');
    parsed.valueType = SplitFirst(line, '|');
    parsed.rest = line;
    return parsed;
}

template <typename String>
std::vector<RegistryScriptLine<String>> ParseRegistryScriptLines(String text) {
    std::vector<RegistryScriptLine<String>> lines;
    while (BeginsWithHk(text)) {
        lines.push_back(ParseRegistryScriptLine(text));
        text = lines.back().rest;
    }
    return lines;
}

template <typename String> RegistryScriptRoot RegistryScriptRootOf(const String& rootName) {
    if (rootName == AsciiText<String>("HKEY_CLASSES_ROOT"))
        return RegistryScriptRoot::ClassesRoot;
    if (rootName == AsciiText<String>("HKEY_CURRENT_USER"))
        return RegistryScriptRoot::CurrentUser;
    if (rootName == AsciiText<String>("HKEY_USERS"))
        return RegistryScriptRoot::Users;
    return RegistryScriptRoot::LocalMachine;
}

template <typename String>
String PciDevicePattern(const String& subkey, textcore::CaseFold<String> lower) {
    if (lower(subkey).rfind(AsciiText<String>("enum\\pci"), 0) != 0)
        return {};
    String pattern = subkey.substr(0, subkey.find(AsciiText<String>("&SUBSYS")));
    SplitFirst(pattern, '\\');
    SplitFirst(pattern, '\\');
    return pattern;
}

// The rules for each kind of string (common/core/StringKinds.h).
#define INSTANTIATE_SCRIPT_LINE_RULES(String)                                                      \
    template std::vector<String> ScriptOperationLines(const std::vector<String>&, const String&,   \
                                                      textcore::CaseFold<String>);                 \
    template std::optional<std::size_t> ScriptOperationsStart(                                     \
        const std::vector<String>&, const String&, textcore::CaseFold<String>);                    \
    template std::uint32_t AttributesOf(const String&);                                            \
    template struct CopyLine<String>;                                                              \
    template CopyLine<String> ParseCopyLine(String);                                               \
    template RenameLine<String> ParseRenameLine(String);                                           \
    template int CopyVersionMode(const String&, LeadingNumber<String>);                            \
    template int ExtractVersionMode(const String&, LeadingNumber<String>);                         \
    template RegistryScriptRoot RegistryScriptRootOf(const String&);                               \
    template RegistryScriptLine<String> ParseRegistryScriptLine(String);                           \
    template std::vector<RegistryScriptLine<String>> ParseRegistryScriptLines(String);             \
    template String PciDevicePattern(const String&, textcore::CaseFold<String>);

INSTANTIATE_SCRIPT_LINE_RULES(std::u16string)
#ifdef _WIN32
INSTANTIATE_SCRIPT_LINE_RULES(std::wstring)
#endif

} // namespace installcore
