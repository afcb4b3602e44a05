#include "common/core/SafeNames.h"

#include <array>

namespace textcore {

namespace {

bool IsForbiddenCharacter(char16_t c) {
    return c < 0x20 || std::u16string_view(u"<>:\"/\\|?*").find(c) != std::u16string_view::npos;
}

char16_t ToAsciiUpper(char16_t c) {
    return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c;
}

bool EqualsAsciiNoCase(std::u16string_view text, std::u16string_view upper) {
    if (text.size() != upper.size())
        return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (ToAsciiUpper(text[i]) != upper[i])
            return false;
    }
    return true;
}

// Windows also counts the superscript digits as port numbers.
bool IsPortDigit(char16_t c) {
    return (c >= u'1' && c <= u'9') || c == u'\u00B9' || c == u'\u00B2' || c == u'\u00B3';
}

// Windows opens the device for its name followed by any extension, blanks before it ignored.
bool IsReservedDeviceName(std::u16string_view name) {
    std::u16string_view base = name.substr(0, name.find(u'.'));
    while (!base.empty() && base.back() == u' ')
        base.remove_suffix(1);
    static constexpr std::array<std::u16string_view, 4> devices{u"CON", u"PRN", u"AUX", u"NUL"};
    for (std::u16string_view device : devices) {
        if (EqualsAsciiNoCase(base, device))
            return true;
    }
    return base.size() == 4 && IsPortDigit(base[3]) &&
           (EqualsAsciiNoCase(base.substr(0, 3), u"COM") ||
            EqualsAsciiNoCase(base.substr(0, 3), u"LPT"));
}

} // namespace

bool IsPathSeparator(char16_t c) {
    return c == u'\\' || c == u'/';
}

// "." and ".." end in a dot, so the trailing-dot test refuses them too.
bool IsSafeName(std::u16string_view name) {
    if (name.empty() || name.back() == u'.' || name.back() == u' ')
        return false;
    for (char16_t c : name) {
        if (IsForbiddenCharacter(c))
            return false;
    }
    return !IsReservedDeviceName(name);
}

bool IsSafeRelativePath(std::u16string_view path) {
    for (;;) {
        std::size_t separator = 0;
        while (separator < path.size() && !IsPathSeparator(path[separator]))
            ++separator;
        if (!IsSafeName(path.substr(0, separator)))
            return false;
        if (separator == path.size())
            return true;
        path.remove_prefix(separator + 1);
    }
}

} // namespace textcore
