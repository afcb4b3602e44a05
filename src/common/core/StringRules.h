#pragma once

#include <string>
#include <utility>

// The string helpers of the system, for any string of UTF-16 units (std::u16string in the
// portable core, std::wstring on Windows).
namespace textcore {

// Returns the text before the first `ch` and leaves the text after it in `text`; without a
// `ch`, returns the whole text and leaves `text` empty.
template <typename String> String SplitFirst(String& text, typename String::value_type ch) {
    const size_t at = text.find(ch);
    String head = text.substr(0, at);
    text = at == String::npos ? String() : text.substr(at + 1);
    return head;
}

// Returns the text after the last `ch` and leaves the text before it in `text`; without a
// `ch`, returns the whole text and leaves `text` empty.
template <typename String> String SplitLast(String& text, typename String::value_type ch) {
    const size_t at = text.rfind(ch);
    if (at == String::npos)
        return std::exchange(text, String());
    String tail = text.substr(at + 1);
    text.resize(at);
    return tail;
}

// Blanks are the characters with codes 1 to 32: space, tab, line breaks and other controls.
template <typename Char> bool IsBlank(Char ch) {
    return ch >= 1 && ch <= 32;
}

template <typename String> String TrimBlanks(const String& s) {
    size_t first = 0;
    size_t last = s.size();
    while (first < last && IsBlank(s[first]))
        ++first;
    while (last > first && IsBlank(s[last - 1]))
        --last;
    return s.substr(first, last - first);
}

// The characters after the last backslash, or the whole path when it has none.
template <typename String> String FileNameOf(const String& path) {
    String copy = path;
    return SplitLast(copy, typename String::value_type('\\'));
}

// The directory with one backslash appended unless it already ends with one. An empty
// directory stays empty, so that names joined to it stay relative.
template <typename String> String WithTrailingBackslash(const String& dir) {
    if (dir.empty() || dir.back() == '\\')
        return dir;
    return dir + typename String::value_type('\\');
}

// A numbered key of a settings list: "Exclude1", "DtaFile12", "Exe_File3".
template <typename String> String NumberedKey(const char* stem, int number) {
    const std::string key = stem + std::to_string(number);
    return String(key.begin(), key.end());
}

// A path is absolute when it holds ":\" anywhere; any other path is relative.
template <typename String> bool IsAbsolutePath(const String& path) {
    using Char = typename String::value_type;
    const Char colonBackslash[] = {Char(':'), Char('\\'), Char(0)};
    return path.find(colonBackslash) != String::npos;
}

// Lower-cases the letters A to Z only; every other character is kept.
template <typename String> String LowerAsciiLetters(String s) {
    for (auto& ch : s) {
        if (ch >= 'A' && ch <= 'Z')
            ch = static_cast<typename String::value_type>(ch - 'A' + 'a');
    }
    return s;
}

} // namespace textcore
