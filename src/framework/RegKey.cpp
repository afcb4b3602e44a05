#include "framework/RegKey.h"

#include <utility>

namespace {

// Registry key names have at most 255 characters, value names at most 16,383.
constexpr DWORD kMaxKeyName = 256;
constexpr DWORD kMaxValueName = 16384;

} // namespace

CRegKey& CRegKey::operator=(CRegKey&& other) noexcept {
    if (this != &other) {
        Close();
        m_hKey = std::exchange(other.m_hKey, nullptr);
    }
    return *this;
}

LONG CRegKey::Create(HKEY parent, const std::wstring& subKey, REGSAM access) {
    Close();
    return ::RegCreateKeyExW(parent, subKey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, access,
                             nullptr, &m_hKey, nullptr);
}

LONG CRegKey::Open(HKEY parent, const std::wstring& subKey, REGSAM access) {
    Close();
    return ::RegOpenKeyExW(parent, subKey.c_str(), 0, access, &m_hKey);
}

void CRegKey::Close() {
    // Closing a key that we opened fails only for a bad handle, which we never hold.
    if (m_hKey)
        ::RegCloseKey(m_hKey);
    m_hKey = nullptr;
}

LONG CRegKey::QueryValue(const wchar_t* name, DWORD& type, std::vector<BYTE>& data) const {
    // The value may grow between asking for its size and reading it: ask again until it fits.
    DWORD size = 0;
    LONG result = ::RegQueryValueExW(m_hKey, name, nullptr, &type, nullptr, &size);
    while (result == ERROR_SUCCESS || result == ERROR_MORE_DATA) {
        data.resize(size);
        result = ::RegQueryValueExW(m_hKey, name, nullptr, &type, data.data(), &size);
        if (result == ERROR_SUCCESS) {
            data.resize(size);
            break;
        }
    }
    return result;
}

LONG CRegKey::QueryString(const wchar_t* name, std::wstring& value) const {
    DWORD type = 0;
    std::vector<BYTE> data;
    LONG result = QueryValue(name, type, data);
    if (result != ERROR_SUCCESS)
        return result;
    if (type != REG_SZ && type != REG_EXPAND_SZ)
        return ERROR_INVALID_DATATYPE;
    // The stored bytes need not end with a null character, nor hold whole characters.
    value.assign(reinterpret_cast<const wchar_t*>(data.data()), data.size() / sizeof(wchar_t));
    const std::size_t end = value.find(L'\0');
    if (end != std::wstring::npos)
        value.resize(end);
    return ERROR_SUCCESS;
}

LONG CRegKey::QueryDword(const wchar_t* name, DWORD& value) const {
    DWORD type = 0;
    DWORD read = 0;
    DWORD size = sizeof(read);
    LONG result =
        ::RegQueryValueExW(m_hKey, name, nullptr, &type, reinterpret_cast<BYTE*>(&read), &size);
    if (result == ERROR_MORE_DATA || (result == ERROR_SUCCESS && (type != REG_DWORD || size != 4)))
        return ERROR_INVALID_DATATYPE;
    if (result == ERROR_SUCCESS)
        value = read;
    return result;
}

LONG CRegKey::SetStringOfType(const wchar_t* name, DWORD type, const std::wstring& value) const {
    return SetValue(name, type, value.c_str(),
                    static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

LONG CRegKey::SetString(const wchar_t* name, const std::wstring& value) const {
    return SetStringOfType(name, REG_SZ, value);
}

LONG CRegKey::SetExpandString(const wchar_t* name, const std::wstring& value) const {
    return SetStringOfType(name, REG_EXPAND_SZ, value);
}

LONG CRegKey::SetDword(const wchar_t* name, DWORD value) const {
    return SetValue(name, REG_DWORD, &value, sizeof(value));
}

LONG CRegKey::SetValue(const wchar_t* name, DWORD type, const void* data, DWORD size) const {
    return ::RegSetValueExW(m_hKey, name, 0, type, static_cast<const BYTE*>(data), size);
}

LONG CRegKey::DeleteValue(const wchar_t* name) const {
    return ::RegDeleteValueW(m_hKey, name);
}

// An empty name would name this key itself; a caller whose name comes from data must not
// delete more than it names.
LONG CRegKey::DeleteSubKey(const std::wstring& subKey) const {
    if (subKey.empty())
        return ERROR_INVALID_PARAMETER;
    return ::RegDeleteKeyW(m_hKey, subKey.c_str());
}

LONG CRegKey::DeleteTree(const std::wstring& subKey) const {
    if (subKey.empty())
        return ERROR_INVALID_PARAMETER;
    CRegKey key;
    LONG result = key.Open(m_hKey, subKey, KEY_ENUMERATE_SUB_KEYS | KEY_QUERY_VALUE);
    if (result != ERROR_SUCCESS)
        return result;
    // Each deletion renumbers the remaining sub keys, so the first one is always the next.
    std::wstring child;
    while ((result = key.EnumKey(0, child)) == ERROR_SUCCESS) {
        result = key.DeleteTree(child);
        if (result != ERROR_SUCCESS)
            return result;
    }
    if (result != ERROR_NO_MORE_ITEMS)
        return result;
    key.Close();
    return DeleteSubKey(subKey);
}

LONG CRegKey::EnumKey(DWORD index, std::wstring& name) const {
    wchar_t buffer[kMaxKeyName];
    DWORD length = kMaxKeyName;
    LONG result =
        ::RegEnumKeyExW(m_hKey, index, buffer, &length, nullptr, nullptr, nullptr, nullptr);
    if (result == ERROR_SUCCESS)
        name.assign(buffer, length);
    return result;
}

LONG CRegKey::EnumValue(DWORD index, std::wstring& name, DWORD* type) const {
    std::wstring buffer(kMaxValueName, L'\0');
    DWORD length = kMaxValueName;
    LONG result =
        ::RegEnumValueW(m_hKey, index, buffer.data(), &length, nullptr, type, nullptr, nullptr);
    if (result == ERROR_SUCCESS)
        name.assign(buffer, 0, length);
    return result;
}

LONG CRegKey::Flush() const {
    return ::RegFlushKey(m_hKey);
}
