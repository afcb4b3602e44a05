#include "install/core/InfLineRules.h"

#include "common/core/SafeNames.h"
#include "common/core/StringRules.h"

namespace installcore {

namespace {

using textcore::AsciiText;
using textcore::TrimBlanks;
using textcore::Utf16Units;

template <typename String> String Unquoted(String field) {
    if (!field.empty() && field.front() == '"') {
        field.erase(0, 1);
        if (!field.empty())
            field.pop_back();
    }
    return field;
}

// The directories joined here are never empty, so the name stays below them.
template <typename String> String Joined(const String& directory, std::string_view name) {
    return textcore::WithTrailingBackslash(directory) + AsciiText<String>(name);
}

template <typename String>
String DirectoryOfId(const String& id, const String& sourceRoot, const String& windowsDir) {
    if (id == AsciiText<String>("100"))
        return sourceRoot;
    if (id == AsciiText<String>("10"))
        return windowsDir;
    if (id == AsciiText<String>("11"))
        return Joined(windowsDir, "SYSTEM");
    if (id == AsciiText<String>("17"))
        return Joined(windowsDir, "INF");
    if (id == AsciiText<String>("13"))
        return Joined(windowsDir, "COMMAND");
    return AsciiText<String>("C:\\");
}

// The relative path joined to a directory when it is a relative path of safe names.
template <typename String>
std::optional<String> SafelyJoined(const String& directory, const String& relativePath) {
    if (!textcore::IsSafeRelativePath(Utf16Units(relativePath)))
        return std::nullopt;
    return textcore::WithTrailingBackslash(directory) + relativePath;
}

} // namespace

template <typename String> std::vector<String> InfListNames(String list) {
    std::vector<String> names;
    while (!list.empty()) {
        String name = TrimBlanks(textcore::SplitFirst(list, ','));
        if (!name.empty())
            names.push_back(std::move(name));
    }
    return names;
}

template <typename String> bool IsInfDirectiveGiven(const String& value) {
    return value != AsciiText<String>("none");
}

template <typename String>
std::optional<String> MapInfDirectory(const String& spec, const String& sourceRoot,
                                      const String& windowsDir) {
    String subdirectory = spec;
    const String id = textcore::SplitFirst(subdirectory, ',');
    subdirectory = TrimBlanks(subdirectory);
    if (!subdirectory.empty() && subdirectory.front() == '"')
        subdirectory = TrimBlanks(Unquoted(subdirectory));
    const String base = DirectoryOfId(id, sourceRoot, windowsDir);
    // Without a source root, id 100 would name the current directory.
    if (base.empty())
        return std::nullopt;
    if (subdirectory.empty())
        return base;
    return SafelyJoined(base, subdirectory);
}

template <typename String> bool IsInfFileName(const String& name) {
    return textcore::IsSafeName(Utf16Units(name));
}

template <typename String> String CompressedName(const String& name) {
    if (name.empty())
        return name;
    return name.substr(0, name.size() - 1) + AsciiText<String>("_");
}

template <typename String> bool IsInfComment(const String& line) {
    return !line.empty() && line.front() == ';';
}

template <typename String> String TakeInfField(String& rest) {
    return Unquoted(TrimBlanks(textcore::SplitFirst(rest, ',')));
}

template <typename String> String LastInfField(const String& rest) {
    return Unquoted(TrimBlanks(rest));
}

template <typename String> InfRegLine<String> ParseInfRegLine(String line) {
    InfRegLine<String> reg;
    reg.root = TakeInfField(line);
    reg.subkey = TakeInfField(line);
    reg.valueName = TakeInfField(line);
    reg.flags = TakeInfField(line);
    reg.value = LastInfField(line);
    return reg;
}

template <typename String> int InfRegFlags(const String& flags) {
    size_t i = 0;
    const bool negative = i < flags.size() && flags[i] == '-';
    if (i < flags.size() && (flags[i] == '-' || flags[i] == '+'))
        ++i;
    long long value = 0;
    for (; i < flags.size() && flags[i] >= '0' && flags[i] <= '9'; ++i) {
        // Any number that does not fit is not 0, which is all that matters.
        if (value < 0x7FFFFFFF)
            value = value * 10 + (flags[i] - '0');
    }
    if (value > 0x7FFFFFFF)
        value = 0x7FFFFFFF;
    return static_cast<int>(negative ? -value : value);
}

template <typename String> bool IsReservedValueName(const String& valueName) {
    return valueName == AsciiText<String>("Bundle Configuration");
}

template <typename String> InfIniLine<String> ParseInfIniLine(String line) {
    InfIniLine<String> ini;
    ini.iniName = TakeInfField(line);
    ini.section = TakeInfField(line);
    ini.oldEntry = TakeInfField(line);
    ini.newEntry = LastInfField(line);
    return ini;
}

template <typename String> InfRegistryRoot InfRegistryRootOf(const String& root) {
    const struct {
        const char* text;
        InfRegistryRoot root;
    } roots[] = {
        {"HKCR", InfRegistryRoot::ClassesRoot},   {"HKCU", InfRegistryRoot::CurrentUser},
        {"HKLM", InfRegistryRoot::LocalMachine},  {"HKU", InfRegistryRoot::Users},
        {"HKCC", InfRegistryRoot::CurrentConfig},
    };
    for (const auto& r : roots) {
        if (root == AsciiText<String>(r.text))
            return r.root;
    }
    return InfRegistryRoot::None;
}

template <typename String>
std::optional<String> InfIniPath(const String& iniName, const String& windowsDir) {
    return SafelyJoined(windowsDir, iniName);
}

// The rules for each kind of string (common/core/StringKinds.h).
#define INSTANTIATE_INF_LINE_RULES(String)                                                         \
    template std::vector<String> InfListNames(String);                                             \
    template bool IsInfDirectiveGiven(const String&);                                              \
    template std::optional<String> MapInfDirectory(const String&, const String&, const String&);   \
    template bool IsInfFileName(const String&);                                                    \
    template String CompressedName(const String&);                                                 \
    template bool IsInfComment(const String&);                                                     \
    template String TakeInfField(String&);                                                         \
    template String LastInfField(const String&);                                                   \
    template InfRegLine<String> ParseInfRegLine(String);                                           \
    template InfRegistryRoot InfRegistryRootOf(const String&);                                     \
    template int InfRegFlags(const String&);                                                       \
    template bool IsReservedValueName(const String&);                                              \
    template InfIniLine<String> ParseInfIniLine(String);                                           \
    template std::optional<String> InfIniPath(const String&, const String&);

INSTANTIATE_INF_LINE_RULES(std::u16string)
#ifdef _WIN32
INSTANTIATE_INF_LINE_RULES(std::wstring)
#endif

} // namespace installcore
