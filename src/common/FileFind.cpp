#include "common/FileFind.h"

#include "common/Paths.h"

#include <vector>

namespace {
// The pattern's directory, absolute and ending with a backslash.
std::wstring RootOf(const std::wstring& pattern) {
    const size_t slash = pattern.rfind(L'\\');
    std::wstring root = slash == std::wstring::npos ? L".\\" : pattern.substr(0, slash + 1);
    if (IsAbsolutePath(root))
        return root;
    const DWORD size = ::GetFullPathNameW(root.c_str(), 0, nullptr, nullptr);
    std::vector<wchar_t> full(size + 1);
    const DWORD length = ::GetFullPathNameW(root.c_str(), size + 1, full.data(), nullptr);
    if (length == 0 || length > size)
        return root;
    return JoinPath(std::wstring(full.data(), length), L"");
}
} // namespace

bool CFileFind::FindFile(const std::wstring& pattern) {
    Close();
    if (pattern.empty())
        return false;
    m_hFind = ::FindFirstFileW(pattern.c_str(), &m_data);
    if (m_hFind == INVALID_HANDLE_VALUE)
        return false;
    m_strRoot = RootOf(pattern);
    return true;
}

bool CFileFind::FindNextFile() {
    if (m_hFind == INVALID_HANDLE_VALUE)
        return false;
    if (::FindNextFileW(m_hFind, &m_data))
        return true;
    Close();
    return false;
}

void CFileFind::Close() {
    if (m_hFind != INVALID_HANDLE_VALUE)
        ::FindClose(m_hFind);
    m_hFind = INVALID_HANDLE_VALUE;
}

bool CFileFind::IsDots() const {
    const std::wstring path = GetFilePath();
    return !path.empty() && path.back() == L'.';
}

bool AnyFileMatches(const std::wstring& pattern) {
    CFileFind find;
    return find.FindFile(pattern);
}

std::wstring AllEntriesOf(const std::wstring& directory) {
    return directory.empty() ? std::wstring() : JoinPath(directory, L"*.*");
}
