#include "archive/ArchiveNames.h"

#include <array>

namespace {

bool IsForbiddenCharacter(char16_t c) {
    return c < 0x20 || std::u16string_view(u"<>:\"/|?*").find(c) != std::u16string_view::npos;
}

char16_t ToAsciiUpper(char16_t c) {
    return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c;
}

bool EqualsAsciiNoCase(std::u16string_view text, std::u16string_view upper) {
    if (text.size() != upper.size()) {
        return false;
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (ToAsciiUpper(text[i]) != upper[i]) {
            return false;
        }
    }
    return true;
}

// Windows also counts the superscript digits as port numbers.
bool IsPortDigit(char16_t c) {
    return (c >= u'1' && c <= u'9') || c == u'\u00B9' || c == u'\u00B2' || c == u'\u00B3';
}

// Windows opens the device for its name followed by any extension, blanks before it ignored.
bool IsReservedDeviceName(std::u16string_view component) {
    std::u16string_view base = component.substr(0, component.find(u'.'));
    while (!base.empty() && base.back() == u' ') {
        base.remove_suffix(1);
    }
    static constexpr std::array<std::u16string_view, 4> devices{u"CON", u"PRN", u"AUX", u"NUL"};
    for (std::u16string_view device : devices) {
        if (EqualsAsciiNoCase(base, device)) {
            return true;
        }
    }
    return base.size() == 4 && IsPortDigit(base[3]) &&
           (EqualsAsciiNoCase(base.substr(0, 3), u"COM") ||
            EqualsAsciiNoCase(base.substr(0, 3), u"LPT"));
}

// Empty, ".", ".." and names with trailing dots or blanks (which Windows strips) are refused.
bool IsSafeComponent(std::u16string_view component) {
    if (component.empty() || component.back() == u'.' || component.back() == u' ') {
        return false;
    }
    for (char16_t c : component) {
        if (IsForbiddenCharacter(c)) {
            return false;
        }
    }
    return !IsReservedDeviceName(component);
}

} // namespace

bool IsSafeEntryName(std::u16string_view name) {
    for (;;) {
        const std::size_t separator = name.find(u'\\');
        if (!IsSafeComponent(name.substr(0, separator))) {
            return false;
        }
        if (separator == std::u16string_view::npos) {
            return true;
        }
        name.remove_prefix(separator + 1);
    }
}

bool IsPathSeparator(char16_t c) {
    return c == u'\\' || c == u'/';
}

std::u16string JoinEntryPath(std::u16string_view destination, std::u16string_view name) {
    std::u16string path(destination);
    if (path.empty() || !IsPathSeparator(path.back())) {
        path += u'\\';
    }
    path += name;
    return path;
}

std::u16string_view ParentPathOf(std::u16string_view path) {
    std::size_t end = path.size();
    while (end > 0 && !IsPathSeparator(path[end - 1])) {
        --end;
    }
    return path.substr(0, end > 0 ? end - 1 : 0);
}
