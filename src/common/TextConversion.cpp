#include "common/TextConversion.h"

#include <windows.h>

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows wide strings are UTF-16");

std::wstring ToWide(std::u16string_view text) {
    return std::wstring(text.begin(), text.end());
}

std::u16string ToUtf16(std::wstring_view text) {
    return std::u16string(text.begin(), text.end());
}

std::u16string DecodeAnsi(std::string_view bytes) {
    if (bytes.empty())
        return {};
    const int length = static_cast<int>(bytes.size());
    std::wstring text(bytes.size(), L'\0');
    const int converted = MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, text.data(), length);
    text.resize(converted);
    return ToUtf16(text);
}
