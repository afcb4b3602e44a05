#pragma once

#include "common/core/LineSplitter.h"

#include <string>
#include <string_view>
#include <vector>

namespace textcore {

// Lines of the UTF-16LE line file, which knows no byte-order mark.

// The next line: a mark at the start of the file arrives as the first character of the first
// line, and characters with code 0 are dropped.
std::u16string ReadUnicodeLine(CLineSplitter& lines);

// Every line of a line file held in memory.
std::vector<std::u16string> ReadUnicodeLines(std::string_view bytes);

// The bytes that store one line: its UTF-16LE units, then carriage return and line feed.
std::string EncodeUnicodeLine(std::u16string_view text);

} // namespace textcore
