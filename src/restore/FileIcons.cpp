#include "restore/FileIcons.h"

#include "common/StringHelpers.h"
#include "common/TextCase.h"
#include "framework/RegKey.h"

#include <shellapi.h>

#include <cwchar>

namespace {

// The extension of the name (from its last dot, the dot included), lower-cased; empty without.
std::wstring ExtensionOf(const std::wstring& fileName) {
    const std::wstring name = FileNameOf(fileName);
    const size_t dot = name.rfind(L'.');
    return dot == std::wstring::npos ? std::wstring() : MakeLower(name.substr(dot));
}

// The default value of a key of HKEY_CLASSES_ROOT; empty when the key or value is missing.
std::wstring ClassesRootDefault(const std::wstring& key) {
    CRegKey reg;
    std::wstring value;
    if (reg.Open(HKEY_CLASSES_ROOT, key) != ERROR_SUCCESS ||
        reg.QueryString(nullptr, value) != ERROR_SUCCESS)
        return {};
    return value;
}

HICON ExtractSmallIcon(const IconLocation& location) {
    HICON icon = nullptr;
    const UINT extracted =
        ::ExtractIconExW(location.file.c_str(), location.index, nullptr, &icon, 1);
    // A failure is 0 or, for a file that is no icon source, 0xFFFFFFFF.
    if (extracted == 0 || extracted == UINT_MAX)
        return nullptr;
    return icon;
}

} // namespace

IconLocation ParseIconLocation(const std::wstring& location, const SystemLayout& layout) {
    IconLocation parsed;
    parsed.file = location;
    const size_t comma = location.rfind(L',');
    if (comma != std::wstring::npos) {
        parsed.file = location.substr(0, comma);
        parsed.index = static_cast<int>(std::wcstol(location.c_str() + comma + 1, nullptr, 10));
    }
    if (parsed.file.size() >= 2 && parsed.file.front() == L'"' && parsed.file.back() == L'"')
        parsed.file = parsed.file.substr(1, parsed.file.size() - 2);
    if (!parsed.file.empty() && parsed.file.front() == L'%') {
        const size_t slash = parsed.file.find(L'\\');
        const std::wstring rest =
            slash == std::wstring::npos ? std::wstring() : parsed.file.substr(slash + 1);
        parsed.file = layout.WindowsDir() + L"\\" + rest;
    }
    return parsed;
}

HICON LookUpFileIcon(const std::wstring& fileName, const SystemLayout& layout) {
    std::wstring extension = ExtensionOf(fileName);
    if (extension.empty())
        return nullptr;
    if (extension == L".exe")
        extension = L".com";
    const std::wstring type = ClassesRootDefault(extension);
    if (type.empty())
        return nullptr;
    const std::wstring location = ClassesRootDefault(type + L"\\DefaultIcon");
    if (location.empty())
        return nullptr;
    return ExtractSmallIcon(ParseIconLocation(location, layout));
}

int CFileIconCache::ImageOf(const std::wstring& fileName) {
    const std::wstring extension = ExtensionOf(fileName);
    const auto known = m_byExtension.find(extension);
    if (known != m_byExtension.end())
        return known->second;
    int image = 0;
    if (HICON icon = LookUpFileIcon(fileName, m_layout)) {
        const int added = m_images.Add(icon);
        ::DestroyIcon(icon); // the image list keeps its own copy
        image = added >= 0 ? added : 0;
    }
    m_byExtension.emplace(extension, image);
    return image;
}
