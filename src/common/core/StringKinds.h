#pragma once

#include <string>
#include <string_view>

// The rules of the core that the Windows side calls with its own strings are templates over the
// kind of string: std::u16string in the portable core, std::wstring on Windows, whose units are
// the same UTF-16 units. They are instantiated for std::u16string everywhere and for std::wstring
// when building for Windows.
namespace textcore {

// A letter-case rule handed to a rule that compares recovery-source text without regard to case:
// on Windows the platform's rule (MakeLower of common/TextCase.h), which folds letters beyond A
// to Z as well; LowerAsciiLetters of StringRules.h where no platform is at hand.
template <typename String> using CaseFold = String (*)(String);

// A text of the system's own, written in ASCII, as a string of the caller's kind.
template <typename String> String AsciiText(std::string_view text) {
    return String(text.begin(), text.end());
}

// The UTF-16 units of a string of either kind, for the rules that take std::u16string_view.
inline std::u16string_view Utf16Units(const std::u16string& text) {
    return text;
}
#ifdef _WIN32
static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows wide strings are UTF-16");
inline std::u16string Utf16Units(const std::wstring& text) {
    return std::u16string(text.begin(), text.end());
}
#endif

} // namespace textcore
