#include "install/FileOpFixture.h"

#include <algorithm>
#include <filesystem>

std::string Utf16(const std::wstring& text) {
    std::string bytes;
    for (wchar_t c : text) {
        bytes += static_cast<char>(c & 0xFF);
        bytes += static_cast<char>(c >> 8);
    }
    return bytes;
}

void RunFileOp(int operation, const std::wstring& script, const std::wstring& sourceRoot,
               const std::wstring& extractRoot, const SystemLayout& layout) {
    CFileOpDlg dialog;
    dialog.m_strLangSection = L"English";
    dialog.m_strScriptPath = script;
    dialog.m_strSourceRoot = sourceRoot;
    dialog.m_nOperation = operation;
    dialog.m_strExtractRoot = extractRoot;
    dialog.m_layout = layout;
    dialog.DoModal();
}

namespace {
constexpr std::int64_t kUnitsPerSecond = 10000000;
constexpr std::int64_t kSecondsTo1970 = 11644473600;
} // namespace

void SetWriteTime(const std::wstring& path, std::int64_t utcSeconds) {
    const std::uint64_t units =
        static_cast<std::uint64_t>((utcSeconds + kSecondsTo1970) * kUnitsPerSecond);
    const FILETIME time{static_cast<DWORD>(units), static_cast<DWORD>(units >> 32)};
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    const HANDLE h = ::CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr,
                                   OPEN_EXISTING, 0, nullptr);
    ::SetFileTime(h, nullptr, nullptr, &time);
    ::CloseHandle(h);
    ::SetFileAttributesW(path.c_str(), attributes);
}

std::int64_t WriteTimeOf(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    ::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data);
    const std::uint64_t units = std::uint64_t{data.ftLastWriteTime.dwHighDateTime} << 32 |
                                data.ftLastWriteTime.dwLowDateTime;
    return static_cast<std::int64_t>(units) / kUnitsPerSecond - kSecondsTo1970;
}

DWORD AttributesOfFile(const std::wstring& path) {
    return ::GetFileAttributesW(path.c_str());
}

bool Exists(const std::wstring& path) {
    return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::vector<std::wstring> NamesIn(const std::wstring& directory) {
    std::vector<std::wstring> names;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(directory, error))
        names.push_back(entry.path().filename().wstring());
    std::sort(names.begin(), names.end());
    return names;
}
