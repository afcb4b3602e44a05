// The shared tests over memory, through the portable rules.
#include "common/ProfileFixture.h"

#include "common/core/IniRules.h"
#include "common/core/MemoryByteSource.h"
#include "common/core/TextReader.h"
#include "common/core/UnicodeLines.h"

using namespace textcore;

struct CTextUnderTest::Impl {
    CMemoryByteSource source;
    CTextReader reader{DecodeWindows1252};
};

CTextUnderTest::CTextUnderTest(const std::string& bytes)
    : m_impl(new Impl{CMemoryByteSource(bytes)}) {}
CTextUnderTest::~CTextUnderTest() = default;

bool CTextUnderTest::Open() {
    m_impl->reader.Open(&m_impl->source);
    return true;
}

bool CTextUnderTest::OpenMissing() {
    m_impl->reader.Open(nullptr);
    return false;
}

void CTextUnderTest::Rewind() {
    m_impl->reader.Rewind();
}

LineRead CTextUnderTest::ReadLine() {
    std::u16string text = m_impl->reader.ReadLine();
    return {text, m_impl->reader.IsEnd()};
}

bool CTextUnderTest::IsEnd() const {
    return m_impl->reader.IsEnd();
}
bool CTextUnderTest::IsUnicode() const {
    return m_impl->reader.IsUnicode();
}
void CTextUnderTest::Close() {
    m_impl->reader.Close();
}

std::vector<LineRead> ReadLineFileLines(const std::string& bytes, size_t count) {
    CMemoryByteSource source(bytes);
    CLineSplitter lines;
    lines.Attach(&source);
    std::vector<LineRead> result;
    while (result.size() < count) {
        std::u16string text = ReadUnicodeLine(lines);
        result.push_back({text, lines.IsEnd()});
    }
    return result;
}

namespace {

// A profile file as the profile functions open it.
struct OpenProfile {
    explicit OpenProfile(const std::string& bytes) : source(bytes) { reader.Open(&source); }
    CMemoryByteSource source;
    CTextReader reader{DecodeWindows1252};
};

} // namespace

IniLookup IniValue(const std::string& bytes, std::u16string_view section, std::u16string_view key) {
    OpenProfile file(bytes);
    IniLookup lookup{false, u"none"};
    lookup.found = FindIniValue(file.reader, section, key, lookup.value);
    return lookup;
}

std::vector<std::u16string> IniSectionLines(const std::string& bytes, std::u16string_view section) {
    OpenProfile file(bytes);
    return ReadIniSectionLines(file.reader, section);
}

bool IniHasLines(const std::string& bytes, std::u16string_view section) {
    return !IniSectionLines(bytes, section).empty();
}
