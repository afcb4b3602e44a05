#include "common/core/SafeNames.h"

#include <array>
#include <string_view>

namespace textcore {

namespace {

// A table of the ASCII characters, since every character of every entry name of a container is
// checked when the restore inventory is built.
constexpr std::array<bool, 0x80> kForbidden = [] {
    std::array<bool, 0x80> forbidden{};
    for (char16_t c = 0; c < 0x20; ++c)
        forbidden[c] = true;
    for (char c : std::string_view("<>:\"/\\|?*"))
        forbidden[static_cast<unsigned char>(c)] = true;
    return forbidden;
}();

// Templates over the character type: the rules hold alike for UTF-16 text of either kind.
template <typename Char> bool IsForbiddenCharacter(Char c) {
    const auto unit = static_cast<char16_t>(c);
    return unit < kForbidden.size() && kForbidden[unit];
}

template <typename Char> Char ToAsciiUpper(Char c) {
    return c >= 'a' && c <= 'z' ? static_cast<Char>(c - 'a' + 'A') : c;
}

template <typename Char>
bool EqualsAsciiNoCase(std::basic_string_view<Char> text, std::string_view upper) {
    if (text.size() != upper.size())
        return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (ToAsciiUpper(text[i]) != static_cast<Char>(upper[i]))
            return false;
    }
    return true;
}

// Windows also counts the superscript digits as port numbers.
template <typename Char> bool IsPortDigit(Char c) {
    return (c >= '1' && c <= '9') || c == 0x00B9 || c == 0x00B2 || c == 0x00B3;
}

// Windows opens the device for its name followed by any extension, blanks before it ignored.
template <typename Char> bool IsReservedDeviceName(std::basic_string_view<Char> name) {
    std::basic_string_view<Char> base = name.substr(0, name.find('.'));
    while (!base.empty() && base.back() == ' ')
        base.remove_suffix(1);
    if (base.size() != 3 && base.size() != 4)
        return false;
    static constexpr std::array<std::string_view, 4> devices{"CON", "PRN", "AUX", "NUL"};
    for (std::string_view device : devices) {
        if (EqualsAsciiNoCase(base, device))
            return true;
    }
    return base.size() == 4 && IsPortDigit(base[3]) &&
           (EqualsAsciiNoCase(base.substr(0, 3), "COM") ||
            EqualsAsciiNoCase(base.substr(0, 3), "LPT"));
}

template <typename Char> bool IsSeparator(Char c) {
    return c == '\\' || c == '/';
}

// "." and ".." end in a dot, so the trailing-dot test refuses them too.
template <typename Char> bool IsSafeNameOf(std::basic_string_view<Char> name) {
    if (name.empty() || name.back() == '.' || name.back() == ' ')
        return false;
    for (Char c : name) {
        if (IsForbiddenCharacter(c))
            return false;
    }
    return !IsReservedDeviceName(name);
}

template <typename Char> bool IsSafeRelativePathOf(std::basic_string_view<Char> path) {
    for (;;) {
        std::size_t separator = 0;
        while (separator < path.size() && !IsSeparator(path[separator]))
            ++separator;
        if (!IsSafeNameOf(path.substr(0, separator)))
            return false;
        if (separator == path.size())
            return true;
        path.remove_prefix(separator + 1);
    }
}

} // namespace

bool IsPathSeparator(char16_t c) {
    return IsSeparator(c);
}

bool IsSafeName(std::u16string_view name) {
    return IsSafeNameOf(name);
}

bool IsSafeRelativePath(std::u16string_view path) {
    return IsSafeRelativePathOf(path);
}

#ifdef _WIN32
bool IsSafeName(std::wstring_view name) {
    return IsSafeNameOf(name);
}

bool IsSafeRelativePath(std::wstring_view path) {
    return IsSafeRelativePathOf(path);
}
#endif

} // namespace textcore
