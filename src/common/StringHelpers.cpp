#include "common/StringHelpers.h"

#include "common/core/StringRules.h"

std::wstring SplitFirst(std::wstring& text, wchar_t ch) {
    return textcore::SplitFirst(text, ch);
}

std::wstring SplitLast(std::wstring& text, wchar_t ch) {
    return textcore::SplitLast(text, ch);
}

std::wstring TrimBlanks(const std::wstring& s) {
    return textcore::TrimBlanks(s);
}

std::wstring FileNameOf(const std::wstring& path) {
    return textcore::FileNameOf(path);
}

bool EndsWith(const std::wstring& text, const std::wstring& tail) {
    return text.size() >= tail.size() &&
           text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}
