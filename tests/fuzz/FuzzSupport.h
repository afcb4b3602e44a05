#pragma once

// What the fuzz targets share: the check that ends a run with a finding, and the lines of the
// input as the system's readers deliver them.
#include "common/core/AnsiCodePage.h"
#include "common/core/MemoryByteSource.h"
#include "common/core/StringRules.h"
#include "common/core/TextReader.h"
#include "common/core/UnicodeLines.h"

#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace fuzz {

// A property that does not hold is a finding: libFuzzer keeps the input that broke it.
inline void Require(bool condition) {
    if (!condition)
        std::abort();
}

// The input up to its first line feed; `input` keeps what follows it.
inline std::string_view TakeInputLine(std::string_view& input) {
    const size_t at = input.find('\n');
    const std::string_view line = input.substr(0, at);
    input = at == std::string_view::npos ? std::string_view() : input.substr(at + 1);
    return line;
}

// Every line as the text file reader gives it (ANSI, or UTF-16LE after its byte-order mark), up
// to and including the one read together with the end of the file.
inline std::vector<std::u16string> TextFileLines(std::string_view bytes) {
    textcore::CMemoryByteSource source{std::string(bytes)};
    textcore::CTextReader reader(textcore::DecodeWindows1252);
    reader.Open(&source);
    std::vector<std::u16string> lines;
    while (!reader.IsEnd())
        lines.push_back(reader.ReadLine());
    return lines;
}

// The letter-case rule of the portable build.
inline std::u16string Lower(std::u16string text) {
    return textcore::LowerAsciiLetters(std::move(text));
}

inline std::u16string UpperAsciiLetters(std::u16string text) {
    for (char16_t& ch : text) {
        if (ch >= u'a' && ch <= u'z')
            ch = static_cast<char16_t>(ch - u'a' + u'A');
    }
    return text;
}

inline bool Contains(const std::u16string& text, const std::u16string& part) {
    return text.find(part) != std::u16string::npos;
}

inline size_t CountOf(const std::u16string& text, char16_t ch) {
    size_t count = 0;
    for (char16_t unit : text)
        count += unit == ch;
    return count;
}

// The number a setting starts with, as the C library's wcstoll reads it in the "C" locale:
// blanks, a sign, decimal digits; the nearest end of the range when it does not fit.
inline long long LeadingNumber(const std::u16string& text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == u' ' || (text[i] >= u'\t' && text[i] <= u'\r')))
        ++i;
    const bool negative = i < text.size() && text[i] == u'-';
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+'))
        ++i;
    unsigned long long value = 0;
    const unsigned long long limit = negative ? 9223372036854775808ull : 9223372036854775807ull;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        const unsigned digit = text[i] - u'0';
        if (value > (limit - digit) / 10) {
            value = limit;
            break;
        }
        value = value * 10 + digit;
    }
    return negative ? static_cast<long long>(0 - value) : static_cast<long long>(value);
}

} // namespace fuzz
