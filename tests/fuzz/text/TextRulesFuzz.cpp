// Fuzzes the text rules: line splitting of ANSI and UTF-16LE files, the line file's reading and
// writing, and the INI lookup rules. Input: section name, line feed, key name, line feed, then
// the bytes of the file.
#include "FuzzSupport.h"
#include "common/core/IniRules.h"
#include "common/core/MemoryByteSource.h"
#include "common/core/StringRules.h"
#include "common/core/TextReader.h"
#include "common/core/UnicodeLines.h"

#include <cstdint>
#include <string>
#include <vector>

using namespace textcore;
using fuzz::Require;
using fuzz::TakeInputLine;

namespace {

// Every line up to and including the one read with the end flag; a line never holds a
// character 0, and further reads give empty lines.
std::vector<std::u16string> ReadAll(CTextReader& reader, size_t byteCount) {
    std::vector<std::u16string> lines;
    do {
        lines.push_back(reader.ReadLine());
        Require(lines.back().find(u'\0') == std::u16string::npos);
        Require(lines.size() <= byteCount + 1);
    } while (!reader.IsEnd());
    Require(reader.ReadLine().empty() && reader.IsEnd());
    return lines;
}

void CheckTextReader(const std::string& bytes) {
    CMemoryByteSource source(bytes);
    CTextReader reader(DecodeWindows1252);
    reader.Open(&source);
    const std::vector<std::u16string> lines = ReadAll(reader, bytes.size());
    reader.Rewind();
    Require(ReadAll(reader, bytes.size()) == lines);
}

// Lines read from the line file, written again and read back, are the same lines.
void CheckLineFile(const std::string& bytes) {
    CMemoryByteSource source(bytes);
    CLineSplitter splitter;
    splitter.Attach(&source);
    std::vector<std::u16string> lines;
    std::string written;
    do {
        lines.push_back(ReadUnicodeLine(splitter));
        Require(lines.back().find_first_of(std::u16string(u"\r\0", 2)) == std::u16string::npos);
        Require(lines.size() <= bytes.size() + 1);
    } while (!splitter.IsEnd());
    lines.pop_back();
    for (const std::u16string& line : lines)
        written += EncodeUnicodeLine(line);

    CMemoryByteSource again(written);
    splitter.Attach(&again);
    for (const std::u16string& line : lines)
        Require(ReadUnicodeLine(splitter) == line && !splitter.IsEnd());
    Require(ReadUnicodeLine(splitter).empty() && splitter.IsEnd());
}

void CheckIni(const std::string& bytes, std::u16string_view section, std::u16string_view key) {
    CMemoryByteSource source(bytes);
    CTextReader reader(DecodeWindows1252);
    reader.Open(&source);
    std::u16string value = u"none";
    if (FindIniValue(reader, section, key, value))
        Require(value.find(u';') == std::u16string::npos);
    else
        Require(value == u"none");

    reader.Rewind();
    for (const std::u16string& line : ReadIniSectionLines(reader, section))
        Require(line.empty() || line[0] != u'[');
}

void CheckStringHelpers(std::u16string text, char16_t ch) {
    const std::u16string original = text;
    const std::u16string head = SplitFirst(text, ch);
    Require(original.find(ch) == std::u16string::npos ? head == original && text.empty()
                                                      : head + ch + text == original);
    text = original;
    const std::u16string tail = SplitLast(text, ch);
    Require(original.find(ch) == std::u16string::npos ? tail == original && text.empty()
                                                      : text + ch + tail == original);
    const std::u16string trimmed = TrimBlanks(original);
    Require(TrimBlanks(trimmed) == trimmed && original.find(trimmed) != std::u16string::npos);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::u16string section = DecodeWindows1252(TakeInputLine(input));
    const std::u16string key = DecodeWindows1252(TakeInputLine(input));
    const std::string bytes(input);

    CheckTextReader(bytes);
    CheckLineFile(bytes);
    CheckIni(bytes, section, key);
    CheckStringHelpers(DecodeWindows1252(bytes), key.empty() ? u'=' : key[0]);
    return 0;
}
