// Reads arbitrary bytes as a file-operation script, both as a text file (copy and extract
// scripts) and as a line file (delete and rename scripts), and applies the section rule and the
// rules of copy and rename lines, attribute lists and version settings to what it finds.
// Besides the sanitizers' findings: the operation lines are exactly the non-empty lines after the
// first header, the fields of a line put back together give the line, attribute lists combine
// known bits only, and version modes stay ints.
#include "FuzzSupport.h"
#include "common/core/DrivePaths.h"
#include "install/core/ScriptLineRules.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <string>

using namespace installcore;
using fuzz::Contains;
using fuzz::Require;

namespace {

using Lines = std::vector<std::u16string>;

constexpr std::uint32_t kKnownAttributes = ScriptAttributes::ReadOnly | ScriptAttributes::Hidden |
                                           ScriptAttributes::System | ScriptAttributes::Archive |
                                           ScriptAttributes::Normal;

void CheckSection(const Lines& lines, const std::u16string& header) {
    const Lines operations = ScriptOperationLines(lines, header, fuzz::Lower);
    const auto first = std::find_if(lines.begin(), lines.end(), [&](const std::u16string& line) {
        return fuzz::Lower(line) == header;
    });
    Lines expected;
    if (first != lines.end())
        std::copy_if(first + 1, lines.end(), std::back_inserter(expected),
                     [](const std::u16string& line) { return !line.empty(); });
    Require(operations == expected);
}

// A list's bits are those of its tokens: a list joined from two gives both lists' bits.
void CheckAttributes(const std::u16string& list) {
    const std::uint32_t attributes = AttributesOf(list);
    Require((attributes & ~kKnownAttributes) == 0);
    if (list.empty())
        Require(attributes == ScriptAttributes::Normal);
    std::u16string rest = list;
    const std::u16string head = textcore::SplitFirst(rest, u'/');
    if (!head.empty() && !rest.empty())
        Require(attributes == (AttributesOf(head) | AttributesOf(rest)));
}

void CheckCopyLine(const std::u16string& line) {
    const CopyLine<std::u16string> copy = ParseCopyLine(line);
    Require(!Contains(copy.source, u"|") && !Contains(copy.destination, u"|"));
    std::u16string rest = line;
    textcore::SplitFirst(rest, u'|');
    textcore::SplitFirst(rest, u'|');
    Require(copy.attributes == AttributesOf(rest));
    if (fuzz::CountOf(line, u'|') >= 2)
        Require(copy.source + u"|" + copy.destination + u"|" + rest == line);
    Require(copy.OnlyCreatesDirectory() == (!copy.source.empty() && copy.source[0] == u'<'));
    const std::u16string directory = copy.DirectoryToCreate();
    if (copy.OnlyCreatesDirectory())
        Require(directory == copy.destination);
    else if (Contains(copy.destination, u"\\"))
        Require(copy.destination.compare(0, directory.size() + 1, directory + u"\\") == 0 &&
                !Contains(copy.destination.substr(directory.size() + 1), u"\\"));
    else
        Require(directory.empty());
    if (textcore::IsDriveRootedPath(copy.destination))
        Require(copy.destination[1] == u':' && copy.destination[2] == u'\\');
}

void CheckRenameLine(const std::u16string& line) {
    const RenameLine<std::u16string> rename = ParseRenameLine(line);
    Require(!Contains(rename.oldPath, u"|") && !Contains(rename.newPath, u"|"));
    std::u16string rest = line;
    textcore::SplitFirst(rest, u'|');
    textcore::SplitFirst(rest, u'|');
    Require(rename.attributes == AttributesOf(rest));
    Require(rename.OnlySetsAttributes() == (!rename.oldPath.empty() && rename.oldPath[0] == u'*'));
}

int NearestInt(__int128 number) {
    return static_cast<int>(std::clamp<__int128>(number, INT_MIN, INT_MAX));
}

// The extract mode is one step ahead of the copy mode; neither leaves the range of an int.
void CheckVersionModes(const std::u16string& setting) {
    const int copy = CopyVersionMode(setting, fuzz::LeadingNumber);
    const int extract = ExtractVersionMode(setting, fuzz::LeadingNumber);
    if (setting == u"none") {
        Require(copy == VersionReplaceOlder && extract == VersionAsk);
    } else {
        const long long number = fuzz::LeadingNumber(setting);
        Require(copy == NearestInt(number) && extract == NearestInt(__int128{number} + 1));
    }
    for (const int mode : {copy, extract}) {
        Require(DecideReplace(mode, 200, 100) ==
                (mode == VersionAlwaysReplace ? ReplaceDecision::Replace : ReplaceDecision::Keep));
        const ReplaceDecision older = DecideReplace(mode, 100, 200);
        Require(mode == VersionNeverReplace ? older == ReplaceDecision::Keep
                : mode == VersionAlwaysReplace || mode == VersionReplaceOlder
                    ? older == ReplaceDecision::Replace
                    : older == ReplaceDecision::Ask);
    }
}

void CheckLine(const std::u16string& line) {
    CheckCopyLine(line);
    CheckRenameLine(line);
    CheckAttributes(line);
    CheckVersionModes(line);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const Lines text = fuzz::TextFileLines(bytes);
    const Lines unicode = textcore::ReadUnicodeLines(bytes);
    CheckSection(text, u"[copy]");
    CheckSection(text, u"[extract]");
    CheckSection(unicode, u"[del]");
    CheckSection(unicode, u"[rename]");
    for (const Lines* lines : {&text, &unicode}) {
        for (const std::u16string& line : *lines)
            CheckLine(line);
    }
    return 0;
}
