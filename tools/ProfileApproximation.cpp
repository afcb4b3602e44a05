#include "tools/ProfileApproximation.h"

#include "common/core/MemoryByteSource.h"
#include "common/core/StringRules.h"
#include "common/core/TextReader.h"

namespace {

using textcore::LowerAsciiLetters;
using textcore::TrimBlanks;

// The file's lines, split at carriage returns by the text reader and at line feeds here.
std::vector<std::u16string> PhysicalLines(const std::string& bytes) {
    textcore::CMemoryByteSource source(bytes);
    textcore::CTextReader reader(textcore::DecodeWindows1252);
    reader.Open(&source);
    std::vector<std::u16string> lines;
    while (!reader.IsEnd()) {
        std::u16string rest = reader.ReadLine();
        for (;;) {
            const size_t feed = rest.find(u'\n');
            lines.push_back(rest.substr(0, feed));
            if (feed == std::u16string::npos)
                break;
            rest.erase(0, feed + 1);
        }
    }
    return lines;
}

// A header "[name]" gives the name; nothing for any other line.
std::optional<std::u16string> HeaderName(const std::u16string& trimmed) {
    if (trimmed.empty() || trimmed[0] != u'[')
        return std::nullopt;
    const size_t close = trimmed.find(u']');
    if (close == std::u16string::npos)
        return std::nullopt;
    return TrimBlanks(trimmed.substr(1, close - 1));
}

std::u16string Unquoted(std::u16string value) {
    if (value.size() >= 2 && value.front() == u'"' && value.back() == u'"')
        return value.substr(1, value.size() - 2);
    return value;
}

// A section line as the section reader gives it: "k = v" as "k=v", other lines trimmed.
std::u16string SectionLine(const std::u16string& trimmed) {
    std::u16string value = trimmed;
    const std::u16string key = textcore::SplitFirst(value, u'=');
    if (trimmed.find(u'=') == std::u16string::npos)
        return trimmed;
    return TrimBlanks(key) + u"=" + TrimBlanks(value);
}

} // namespace

CProfileApproximation::CProfileApproximation(const std::string& bytes) {
    const std::vector<std::u16string> lines = PhysicalLines(bytes);
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::u16string trimmed = TrimBlanks(lines[i]);
        if (const std::optional<std::u16string> name = HeaderName(trimmed)) {
            m_sections.push_back({*name, {}});
        } else if (!m_sections.empty() && !trimmed.empty() && trimmed[0] != u';') {
            m_sections.back().lines.push_back({SectionLine(trimmed), static_cast<int>(i + 1)});
        }
    }
}

const CProfileApproximation::SectionLines*
CProfileApproximation::Find(const std::u16string& section) const {
    const std::u16string wanted = LowerAsciiLetters(section);
    for (const SectionLines& candidate : m_sections) {
        if (LowerAsciiLetters(candidate.name) == wanted)
            return &candidate;
    }
    return nullptr;
}

std::optional<CProfileApproximation::Line>
CProfileApproximation::Value(const std::u16string& section, const std::u16string& key) const {
    const SectionLines* found = Find(section);
    if (!found)
        return std::nullopt;
    const std::u16string wanted = LowerAsciiLetters(key);
    for (const Line& line : found->lines) {
        std::u16string value = line.text;
        const std::u16string name = textcore::SplitFirst(value, u'=');
        if (line.text.find(u'=') != std::u16string::npos && LowerAsciiLetters(name) == wanted)
            return Line{Unquoted(value), line.number};
    }
    return std::nullopt;
}

std::u16string CProfileApproximation::ValueOr(const std::u16string& section,
                                              const std::u16string& key,
                                              const std::u16string& def) const {
    const std::optional<Line> value = Value(section, key);
    return value ? value->text : def;
}

std::optional<std::vector<CProfileApproximation::Line>>
CProfileApproximation::Section(const std::u16string& section) const {
    const SectionLines* found = Find(section);
    if (!found)
        return std::nullopt;
    return found->lines;
}
