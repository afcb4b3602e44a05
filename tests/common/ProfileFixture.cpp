#include "common/ProfileFixture.h"

#include <gtest/gtest.h>

namespace {

void AppendUtf8(std::string& bytes, char16_t unit) {
    if (unit < 0x80) {
        bytes.push_back(static_cast<char>(unit));
    } else if (unit < 0x800) {
        bytes.push_back(static_cast<char>(0xC0 | unit >> 6));
        bytes.push_back(static_cast<char>(0x80 | (unit & 0x3F)));
    } else {
        bytes.push_back(static_cast<char>(0xE0 | unit >> 12));
        bytes.push_back(static_cast<char>(0x80 | (unit >> 6 & 0x3F)));
        bytes.push_back(static_cast<char>(0x80 | (unit & 0x3F)));
    }
}

} // namespace

std::string Encode(Encoding encoding, std::u16string_view text) {
    std::string bytes;
    switch (encoding) {
    case Encoding::Ansi:
        for (char16_t unit : text)
            bytes.push_back(static_cast<char>(unit));
        break;
    case Encoding::Utf16Le:
        bytes = "\xFF\xFE";
        for (char16_t unit : text) {
            bytes.push_back(static_cast<char>(unit & 0xFF));
            bytes.push_back(static_cast<char>(unit >> 8));
        }
        break;
    case Encoding::Utf8:
        bytes = "\xEF\xBB\xBF";
        for (char16_t unit : text)
            AppendUtf8(bytes, unit);
        break;
    }
    return bytes;
}

std::string NameOf(Encoding encoding) {
    switch (encoding) {
    case Encoding::Ansi:
        return "Ansi";
    case Encoding::Utf16Le:
        return "Utf16Le";
    case Encoding::Utf8:
        return "Utf8";
    }
    return "Unknown";
}

std::ostream& operator<<(std::ostream& os, const LineRead& line) {
    return os << testing::PrintToString(line.text) << (line.end ? " end" : "");
}

std::ostream& operator<<(std::ostream& os, const IniLookup& lookup) {
    return os << (lookup.found ? "found " : "default ") << testing::PrintToString(lookup.value);
}

std::vector<LineRead> CTextUnderTest::ReadLines(size_t count) {
    std::vector<LineRead> lines;
    while (lines.size() < count)
        lines.push_back(ReadLine());
    return lines;
}
