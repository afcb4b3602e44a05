#pragma once

#include <filesystem>
#include <string>
#include <string_view>

// The archive code keeps names and paths as UTF-16; these convert at its edges.

// Unpaired surrogates are encoded like any other code unit (three bytes each), so that distinct
// names stay distinct.
std::string Utf16ToUtf8(std::u16string_view text);
// Decodes what Utf16ToUtf8 produces; bytes that do not form a sequence become U+FFFD.
std::u16string Utf8ToUtf16(std::string_view text);

#ifdef _WIN32
// Windows' wide strings hold UTF-16 already.
static_assert(sizeof(wchar_t) == sizeof(char16_t));
inline std::u16string ToArchiveText(std::wstring_view text) {
    return std::u16string(text.begin(), text.end());
}
inline std::wstring FromArchiveText(std::u16string_view text) {
    return std::wstring(text.begin(), text.end());
}
#endif

// A path of the platform as archive text, and back.
std::u16string ArchiveTextOf(const std::filesystem::path& path);
std::filesystem::path PathOfArchiveText(std::u16string_view text);
