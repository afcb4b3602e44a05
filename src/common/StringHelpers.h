#pragma once

#include <string>

// The string helpers used throughout the system (rules in common/core/StringRules.h).

// The text before the first `ch`; `text` keeps what follows it (empty when `ch` is absent).
std::wstring SplitFirst(std::wstring& text, wchar_t ch);
// The text after the last `ch`; `text` keeps what precedes it (empty when `ch` is absent).
std::wstring SplitLast(std::wstring& text, wchar_t ch);
// Removes the characters with codes 1 to 32 from both ends.
std::wstring TrimBlanks(const std::wstring& s);
// True when `text` ends with `tail`, letter case as given.
bool EndsWith(const std::wstring& text, const std::wstring& tail);

// The characters after the last backslash, or the whole path.
std::wstring FileNameOf(const std::wstring& path);
