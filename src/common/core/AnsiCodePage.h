#pragma once

#include <string>
#include <string_view>

namespace textcore {

// Converts the bytes of an ANSI text to UTF-16: the system's code page on Windows, a fixed one
// where the platform has none.
using AnsiDecoder = std::u16string (*)(std::string_view bytes);

// The Windows-1252 (Western European) code page, one unit per byte. Its five unassigned bytes
// map to the control characters of the same code, as Windows maps them.
std::u16string DecodeWindows1252(std::string_view bytes);

} // namespace textcore
