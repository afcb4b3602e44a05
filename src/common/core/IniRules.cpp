#include "common/core/IniRules.h"

#include "common/core/StringRules.h"

namespace textcore {

namespace {

bool StartsWithBracket(const std::u16string& line) {
    return !line.empty() && line[0] == u'[';
}

// Reads up to the section's header line. A header delivered together with the end of the file
// counts as missing: the section has nothing after it.
bool FindSectionHeader(ILineSource& lines, std::u16string_view section) {
    const std::u16string header = u"[" + LowerAsciiLetters(std::u16string(section)) + u"]";
    for (;;) {
        const std::u16string line = lines.ReadLine();
        if (lines.IsEnd())
            return false;
        if (LowerAsciiLetters(line).starts_with(header))
            return true;
    }
}

// The value part of a key line: cut at the first ";", trimmed, a leading quote and the last
// character dropped.
std::u16string ValueOf(std::u16string part) {
    part = TrimBlanks(part.substr(0, part.find(u';')));
    if (!part.empty() && part[0] == u'"')
        return part.size() < 2 ? std::u16string() : part.substr(1, part.size() - 2);
    return part;
}

} // namespace

bool FindIniValue(ILineSource& lines, std::u16string_view section, std::u16string_view key,
                  std::u16string& value) {
    if (!FindSectionHeader(lines, section))
        return false;
    const std::u16string wanted = LowerAsciiLetters(std::u16string(key));
    for (std::u16string line = lines.ReadLine(); !lines.IsEnd(); line = lines.ReadLine()) {
        if (StartsWithBracket(line))
            return false;
        if (line.find(u'=') == std::u16string::npos || line[0] == u';')
            continue;
        const std::u16string keyPart = SplitFirst(line, u'=');
        if (LowerAsciiLetters(TrimBlanks(keyPart)) == wanted) {
            value = ValueOf(line);
            return true;
        }
    }
    return false;
}

std::vector<std::u16string> ReadIniSectionLines(ILineSource& lines, std::u16string_view section) {
    std::vector<std::u16string> result;
    if (!FindSectionHeader(lines, section))
        return result;
    for (std::u16string line = lines.ReadLine(); !StartsWithBracket(line);
         line = lines.ReadLine()) {
        result.push_back(line);
        if (lines.IsEnd())
            break;
    }
    return result;
}

std::u16string ResolveProfilePath(const std::u16string& file,
                                  const std::u16string& currentDirSlash) {
    if (file.find(u":\\") != std::u16string::npos)
        return file;
    return currentDirSlash + file;
}

} // namespace textcore
