#pragma once

#include <string>
#include <string_view>

// Conversions at the edge between the portable core (std::u16string) and the Windows side
// (std::wstring); both hold UTF-16 units on Windows.
std::wstring ToWide(std::u16string_view text);
std::u16string ToUtf16(std::wstring_view text);

// ANSI bytes to UTF-16 with the system's ANSI code page.
std::u16string DecodeAnsi(std::string_view bytes);
