#include "tools/SystemText.h"

#include "common/core/IniRules.h"
#include "common/core/MemoryByteSource.h"
#include "common/core/TextReader.h"

namespace {

// Counts the lines read, so that a value found is found on the last line counted.
class CCountingLines : public textcore::ILineSource {
public:
    explicit CCountingLines(textcore::ILineSource& lines) : m_lines(lines) {}
    std::u16string ReadLine() override {
        ++m_nCount;
        return m_lines.ReadLine();
    }
    bool IsEnd() const override { return m_lines.IsEnd(); }
    int Count() const { return m_nCount; }

private:
    textcore::ILineSource& m_lines;
    int m_nCount = 0;
};

// A reader over the file, opened as the program opens it.
struct OpenText {
    explicit OpenText(const std::string& bytes) : source(bytes) { reader.Open(&source); }
    textcore::CMemoryByteSource source;
    textcore::CTextReader reader{textcore::DecodeWindows1252};
};

} // namespace

std::optional<CSystemText::Value> CSystemText::IniValue(const std::u16string& section,
                                                        const std::u16string& key) const {
    OpenText text(m_bytes);
    CCountingLines lines(text.reader);
    std::u16string value;
    if (!textcore::FindIniValue(lines, section, key, value))
        return std::nullopt;
    return Value{value, lines.Count()};
}

std::vector<std::u16string> CSystemText::SectionLines(const std::u16string& section) const {
    OpenText text(m_bytes);
    return textcore::ReadIniSectionLines(text.reader, section);
}

std::vector<std::u16string> CSystemText::Lines() const {
    OpenText text(m_bytes);
    std::vector<std::u16string> lines;
    while (!text.reader.IsEnd())
        lines.push_back(text.reader.ReadLine());
    return lines;
}

bool CSystemText::HasLineFeedsOnly() const {
    return m_bytes.find('\n') != std::string::npos && m_bytes.find('\r') == std::string::npos;
}
