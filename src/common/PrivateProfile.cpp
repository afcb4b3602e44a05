#include "common/PrivateProfile.h"

#include "common/CurrentDir.h"
#include "framework/Wnd.h"

namespace {
// The platform says "too small" by returning the buffer size less one (a value) or less two (a
// section); the buffer then doubles until it does not.
template <typename Read> std::vector<wchar_t> ReadGrowing(Read read, DWORD slack) {
    std::vector<wchar_t> buffer(256);
    for (;;) {
        const DWORD length = read(buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length + slack < buffer.size()) {
            buffer.resize(length);
            return buffer;
        }
        buffer.resize(buffer.size() * 2);
    }
}
} // namespace

std::wstring ProfileString(const std::wstring& section, const std::wstring& key,
                           const std::wstring& def, const std::wstring& file) {
    const std::vector<wchar_t> value = ReadGrowing(
        [&](wchar_t* buffer, DWORD size) {
            return ::GetPrivateProfileStringW(section.c_str(), key.c_str(), def.c_str(), buffer,
                                              size, file.c_str());
        },
        1);
    return std::wstring(value.begin(), value.end());
}

std::vector<std::wstring> ProfileSection(const std::wstring& section, const std::wstring& file) {
    const std::vector<wchar_t> block = ReadGrowing(
        [&](wchar_t* buffer, DWORD size) {
            return ::GetPrivateProfileSectionW(section.c_str(), buffer, size, file.c_str());
        },
        2);
    // Lines end with a null character each; the block ends with one more.
    std::vector<std::wstring> lines;
    size_t start = 0;
    for (size_t i = 0; i < block.size(); ++i) {
        if (block[i] != L'\0')
            continue;
        lines.emplace_back(block.begin() + start, block.begin() + i);
        start = i + 1;
    }
    if (start < block.size())
        lines.emplace_back(block.begin() + start, block.end());
    return lines;
}

std::wstring ProfileLanguageText(const std::wstring& language, const wchar_t* key, UINT defaultId) {
    return ProfileString(language, key, LoadResString(defaultId), InstallIniPath());
}
