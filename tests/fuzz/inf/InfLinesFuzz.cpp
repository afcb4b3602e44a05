// Reads arbitrary bytes as the lines of an INF section and applies every line and field rule of
// INF processing to each line: the directive lists, the fields of AddReg and UpdateInis lines,
// the registry flags, the file names and the directories they map to. Besides the sanitizers'
// findings: no field holds the comma that ends it, every field is a piece of its line, and no
// directory or INI path leaves the directory it is built on.
#include "FuzzSupport.h"
#include "common/core/SafeNames.h"
#include "install/core/InfLineRules.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

using namespace installcore;
using fuzz::Contains;
using fuzz::Require;

namespace {

const std::u16string kWindowsDir = u"C:\\Windows";
const std::u16string kSourceRoot = u"Z:\\I386";

// Each field is a piece of the line before a comma; the rest shrinks with every field.
void CheckFields(const std::u16string& line) {
    std::u16string rest = line;
    size_t fields = 0;
    while (!rest.empty()) {
        const size_t before = rest.size();
        const std::u16string field = TakeInfField(rest);
        Require(!Contains(field, u",") && Contains(line, field) && rest.size() < before);
        ++fields;
    }
    Require(fields <= fuzz::CountOf(line, u',') + 1);
    Require(Contains(line, LastInfField(line)));
}

void CheckListNames(const std::u16string& line) {
    const std::vector<std::u16string> names = InfListNames(line);
    Require(names.size() <= fuzz::CountOf(line, u',') + 1);
    for (const std::u16string& name : names)
        Require(!name.empty() && !Contains(name, u",") && textcore::TrimBlanks(name) == name &&
                Contains(line, name));
}

bool IsDigits(const std::u16string& text) {
    return !text.empty() && text.find_first_not_of(u"0123456789") == std::u16string::npos;
}

// Flags read their leading decimal digits and nothing else.
void CheckFlags(const std::u16string& text) {
    const int flags = InfRegFlags(text);
    Require(flags >= -0x7FFFFFFF);
    const size_t digitsAt = !text.empty() && (text[0] == u'-' || text[0] == u'+') ? 1 : 0;
    if (digitsAt >= text.size() || text[digitsAt] < u'0' || text[digitsAt] > u'9')
        Require(flags == 0);
    if (flags < 0)
        Require(text[0] == u'-');
    if (IsDigits(text) && text.size() <= 9)
        Require(flags == std::stoi(std::string(text.begin(), text.end())));
}

void CheckRegLine(const std::u16string& line) {
    const InfRegLine<std::u16string> reg = ParseInfRegLine(line);
    for (const std::u16string* field : {&reg.root, &reg.subkey, &reg.valueName, &reg.flags})
        Require(!Contains(*field, u",") && Contains(line, *field));
    Require(Contains(line, reg.value));
    CheckFlags(reg.flags);
    CheckFlags(line);
}

// The path is the directory itself, or the directory and a relative path of safe names.
bool LiesBelow(const std::u16string& path, const std::u16string& directory) {
    if (path == directory)
        return true;
    const std::u16string prefix = textcore::WithTrailingBackslash(directory);
    return path.size() > prefix.size() && path.compare(0, prefix.size(), prefix) == 0 &&
           textcore::IsSafeRelativePath(std::u16string_view(path).substr(prefix.size()));
}

void CheckDirectories(const std::u16string& spec) {
    const std::array<std::u16string, 6> bases = {kSourceRoot,
                                                 kWindowsDir,
                                                 kWindowsDir + u"\\SYSTEM",
                                                 kWindowsDir + u"\\INF",
                                                 kWindowsDir + u"\\COMMAND",
                                                 u"C:\\"};
    for (const std::u16string& root : {kSourceRoot, std::u16string()}) {
        const std::optional<std::u16string> directory = MapInfDirectory(spec, root, kWindowsDir);
        if (!directory)
            continue;
        bool below = false;
        for (const std::u16string& base : bases)
            below =
                below || ((!root.empty() || base != kSourceRoot) && LiesBelow(*directory, base));
        Require(below);
    }
    std::u16string id = spec;
    if (textcore::SplitFirst(id, u',') == u"100")
        Require(!MapInfDirectory(spec, std::u16string(), kWindowsDir));
}

void CheckIniLine(const std::u16string& line) {
    const InfIniLine<std::u16string> ini = ParseInfIniLine(line);
    for (const std::u16string* field : {&ini.iniName, &ini.section, &ini.oldEntry})
        Require(!Contains(*field, u",") && Contains(line, *field));
    Require(Contains(line, ini.newEntry));
    const std::optional<std::u16string> path = InfIniPath(ini.iniName, kWindowsDir);
    Require(!path || (*path == kWindowsDir + u"\\" + ini.iniName &&
                      textcore::IsSafeRelativePath(ini.iniName)));
}

// A file name of a list is one safe name; its compressed name differs in the last unit only.
void CheckFileName(const std::u16string& name) {
    if (IsInfFileName(name))
        Require(name.find_first_of(u"\\/:") == std::u16string::npos && name != u"." &&
                name != u"..");
    const std::u16string compressed = CompressedName(name);
    Require(compressed.size() == name.size());
    if (!name.empty())
        Require(compressed.back() == u'_' &&
                compressed.compare(0, name.size() - 1, name, 0, name.size() - 1) == 0);
}

void CheckLine(const std::u16string& line) {
    Require(IsInfComment(line) == (!line.empty() && line[0] == u';'));
    Require(IsInfDirectiveGiven(line) == (line != u"none"));
    CheckFields(line);
    CheckListNames(line);
    CheckRegLine(line);
    CheckIniLine(line);
    CheckDirectories(line);
    CheckFileName(line);
    std::u16string rest = line;
    while (!rest.empty())
        CheckFileName(TakeInfField(rest));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    for (const std::u16string& line : fuzz::TextFileLines(bytes))
        CheckLine(line);
    return 0;
}
