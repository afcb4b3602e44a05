#pragma once

#include <windows.h>

#include <string>
#include <vector>

// An open registry key, owned: it is closed when the object goes. Every operation returns the
// platform's result code (ERROR_SUCCESS on success), as the registry functions do, so that
// callers can tell a missing key or value (ERROR_FILE_NOT_FOUND) from a real failure. Only
// functions of Windows 2000 are used.
class CRegKey {
public:
    CRegKey() = default;
    ~CRegKey() { Close(); }
    CRegKey(const CRegKey&) = delete;
    CRegKey& operator=(const CRegKey&) = delete;
    CRegKey(CRegKey&& other) noexcept : m_hKey(other.m_hKey) { other.m_hKey = nullptr; }
    CRegKey& operator=(CRegKey&& other) noexcept;

    operator HKEY() const { return m_hKey; }
    bool IsOpen() const { return m_hKey != nullptr; }

    // Opens the sub key of `parent`, creating it (and the keys on its way) when missing.
    LONG Create(HKEY parent, const std::wstring& subKey, REGSAM access = KEY_READ | KEY_WRITE);
    LONG Open(HKEY parent, const std::wstring& subKey, REGSAM access = KEY_READ);
    void Close();

    // A REG_SZ or REG_EXPAND_SZ value of any length, as stored (not expanded), up to its first
    // null character. Another type gives ERROR_INVALID_DATATYPE.
    LONG QueryString(const wchar_t* name, std::wstring& value) const;
    // A REG_DWORD value; another type or size gives ERROR_INVALID_DATATYPE.
    LONG QueryDword(const wchar_t* name, DWORD& value) const;
    // Any value: its type and its bytes as stored.
    LONG QueryValue(const wchar_t* name, DWORD& type, std::vector<BYTE>& data) const;

    // Strings are stored with their terminating null character.
    LONG SetString(const wchar_t* name, const std::wstring& value) const;
    LONG SetExpandString(const wchar_t* name, const std::wstring& value) const;
    LONG SetDword(const wchar_t* name, DWORD value) const;
    LONG SetValue(const wchar_t* name, DWORD type, const void* data, DWORD size) const;

    LONG DeleteValue(const wchar_t* name) const;
    // Deletes a sub key that has no sub keys of its own.
    LONG DeleteSubKey(const std::wstring& subKey) const;
    // Deletes a sub key with everything below it. When a part cannot be deleted, the walk stops
    // there and its result is returned; what was deleted before stays deleted.
    LONG DeleteTree(const std::wstring& subKey) const;

    // The name of the sub key or value at `index`; ERROR_NO_MORE_ITEMS past the last one.
    LONG EnumKey(DWORD index, std::wstring& name) const;
    LONG EnumValue(DWORD index, std::wstring& name, DWORD* type = nullptr) const;

    // Writes the key's changes to disk before returning.
    LONG Flush() const;

private:
    LONG SetStringOfType(const wchar_t* name, DWORD type, const std::wstring& value) const;

    HKEY m_hKey = nullptr;
};
