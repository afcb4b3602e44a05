#include "common/core/UnicodeLines.h"

#include "common/core/MemoryByteSource.h"

#include <algorithm>

namespace textcore {

std::u16string ReadUnicodeLine(CLineSplitter& lines) {
    std::u16string line = lines.ReadUnitLine();
    line.erase(std::remove(line.begin(), line.end(), u'\0'), line.end());
    return line;
}

std::vector<std::u16string> ReadUnicodeLines(std::string_view bytes) {
    CMemoryByteSource source{std::string(bytes)};
    CLineSplitter splitter;
    splitter.Attach(&source);
    std::vector<std::u16string> lines;
    while (!splitter.IsEnd())
        lines.push_back(ReadUnicodeLine(splitter));
    return lines;
}

std::string EncodeUnicodeLine(std::u16string_view text) {
    std::string bytes;
    bytes.reserve((text.size() + 2) * 2);
    for (char16_t unit : std::u16string(text) + u"\r\n") {
        bytes.push_back(static_cast<char>(unit & 0xFF));
        bytes.push_back(static_cast<char>(unit >> 8));
    }
    return bytes;
}

} // namespace textcore
