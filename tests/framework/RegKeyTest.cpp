// The registry key class, under a test-only key that each test makes and removes.
#include "framework/RegKey.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Bytes = std::vector<BYTE>;

// HKCU\Software\Melvorin-Tests\<process>-<test>, removed at the end with the platform's own
// calls.
class RegKeyTest : public testing::Test {
protected:
    void SetUp() override {
        static int s_nTest = 0;
        m_path = L"Software\\Melvorin-Tests\\" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
                 std::to_wstring(++s_nTest);
        ASSERT_EQ(m_key.Create(HKEY_CURRENT_USER, m_path), ERROR_SUCCESS);
    }
    void TearDown() override {
        m_key.Close();
        RemoveTree(m_path);
        ::RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\Melvorin-Tests");
    }

    static void RemoveTree(const std::wstring& path) {
        HKEY key = nullptr;
        if (::RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
            return;
        wchar_t name[256];
        DWORD length = 256;
        while (::RegEnumKeyExW(key, 0, name, &length, nullptr, nullptr, nullptr, nullptr) ==
               ERROR_SUCCESS) {
            RemoveTree(path + L"\\" + name);
            length = 256;
        }
        ::RegCloseKey(key);
        ::RegDeleteKeyW(HKEY_CURRENT_USER, path.c_str());
    }

    // A value as the platform reads it: its type and bytes.
    std::pair<DWORD, Bytes> Raw(const wchar_t* name) const {
        DWORD type = 0;
        DWORD size = 0;
        EXPECT_EQ(::RegQueryValueExW(m_key, name, nullptr, &type, nullptr, &size), ERROR_SUCCESS);
        Bytes data(size);
        EXPECT_EQ(::RegQueryValueExW(m_key, name, nullptr, &type, data.data(), &size),
                  ERROR_SUCCESS);
        return {type, data};
    }
    bool KeyExists(const std::wstring& path) const {
        HKEY key = nullptr;
        if (::RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
            return false;
        ::RegCloseKey(key);
        return true;
    }

    static Bytes Utf16Bytes(const std::wstring& text) {
        const auto* begin = reinterpret_cast<const BYTE*>(text.c_str());
        return Bytes(begin, begin + (text.size() + 1) * sizeof(wchar_t));
    }

    std::wstring m_path;
    CRegKey m_key;
};

TEST_F(RegKeyTest, StringsAreStoredWithTheirTypeAndTerminator) {
    ASSERT_EQ(m_key.SetString(L"Plain", L"C:\\I386"), ERROR_SUCCESS);
    ASSERT_EQ(m_key.SetExpandString(L"Expand", L"%SystemRoot%\\inf"), ERROR_SUCCESS);
    ASSERT_EQ(m_key.SetString(nullptr, L"default"), ERROR_SUCCESS);

    EXPECT_EQ(Raw(L"Plain"), std::make_pair(DWORD(REG_SZ), Utf16Bytes(L"C:\\I386")));
    EXPECT_EQ(Raw(L"Expand"),
              std::make_pair(DWORD(REG_EXPAND_SZ), Utf16Bytes(L"%SystemRoot%\\inf")));
    EXPECT_EQ(Raw(nullptr), std::make_pair(DWORD(REG_SZ), Utf16Bytes(L"default")));

    std::wstring value;
    EXPECT_EQ(m_key.QueryString(L"Plain", value), ERROR_SUCCESS);
    EXPECT_EQ(value, L"C:\\I386");
    EXPECT_EQ(m_key.QueryString(L"Expand", value), ERROR_SUCCESS);
    EXPECT_EQ(value, L"%SystemRoot%\\inf"); // as stored, not expanded
}

TEST_F(RegKeyTest, LongStringsAreReadWhole) {
    std::wstring text;
    for (int i = 0; text.size() < 100000; ++i)
        text += std::to_wstring(i) + L";";
    ASSERT_EQ(m_key.SetString(L"Long", text), ERROR_SUCCESS);
    std::wstring value;
    EXPECT_EQ(m_key.QueryString(L"Long", value), ERROR_SUCCESS);
    EXPECT_EQ(value, text);
}

TEST_F(RegKeyTest, StringsWithoutTerminatorOrWithAnOddLengthAreRead) {
    const wchar_t text[] = L"abc";
    ASSERT_EQ(m_key.SetValue(L"Bare", REG_SZ, text, 3 * sizeof(wchar_t)), ERROR_SUCCESS);
    ASSERT_EQ(m_key.SetValue(L"Odd", REG_SZ, text, 3 * sizeof(wchar_t) + 1), ERROR_SUCCESS);
    ASSERT_EQ(m_key.SetValue(L"Two", REG_SZ, L"ab\0cd", 6 * sizeof(wchar_t)), ERROR_SUCCESS);
    std::wstring value;
    EXPECT_EQ(m_key.QueryString(L"Bare", value), ERROR_SUCCESS);
    EXPECT_EQ(value, L"abc");
    EXPECT_EQ(m_key.QueryString(L"Odd", value), ERROR_SUCCESS);
    EXPECT_EQ(value, L"abc");
    EXPECT_EQ(m_key.QueryString(L"Two", value), ERROR_SUCCESS);
    EXPECT_EQ(value, L"ab");
}

TEST_F(RegKeyTest, DwordsAndRawValuesKeepTypeAndBytes) {
    ASSERT_EQ(m_key.SetDword(L"Count", 0x12345678), ERROR_SUCCESS);
    const Bytes binary = {0, 1, 2, 0xFF, 0};
    ASSERT_EQ(m_key.SetValue(L"Blob", REG_BINARY, binary.data(), DWORD(binary.size())),
              ERROR_SUCCESS);
    ASSERT_EQ(m_key.SetValue(L"Empty", REG_NONE, nullptr, 0), ERROR_SUCCESS);

    EXPECT_EQ(Raw(L"Count"), std::make_pair(DWORD(REG_DWORD), Bytes{0x78, 0x56, 0x34, 0x12}));
    DWORD number = 0;
    EXPECT_EQ(m_key.QueryDword(L"Count", number), ERROR_SUCCESS);
    EXPECT_EQ(number, 0x12345678u);

    DWORD type = 0;
    Bytes data;
    EXPECT_EQ(m_key.QueryValue(L"Blob", type, data), ERROR_SUCCESS);
    EXPECT_EQ(type, DWORD(REG_BINARY));
    EXPECT_EQ(data, binary);
    EXPECT_EQ(m_key.QueryValue(L"Empty", type, data), ERROR_SUCCESS);
    EXPECT_EQ(type, DWORD(REG_NONE));
    EXPECT_TRUE(data.empty());

    const Bytes large(70000, 0xA5);
    ASSERT_EQ(m_key.SetValue(L"Large", REG_BINARY, large.data(), DWORD(large.size())),
              ERROR_SUCCESS);
    EXPECT_EQ(m_key.QueryValue(L"Large", type, data), ERROR_SUCCESS);
    EXPECT_EQ(data, large);
}

TEST_F(RegKeyTest, AValueOfAnotherTypeOrAMissingOneIsReported) {
    ASSERT_EQ(m_key.SetDword(L"Count", 7), ERROR_SUCCESS);
    ASSERT_EQ(m_key.SetString(L"Text", L"abcd"), ERROR_SUCCESS);
    ASSERT_EQ(m_key.SetValue(L"Short", REG_DWORD, "ab", 2), ERROR_SUCCESS);
    std::wstring text = L"kept";
    DWORD number = 42;
    EXPECT_EQ(m_key.QueryString(L"Count", text), ERROR_INVALID_DATATYPE);
    EXPECT_EQ(m_key.QueryDword(L"Text", number), ERROR_INVALID_DATATYPE);
    EXPECT_EQ(m_key.QueryDword(L"Short", number), ERROR_INVALID_DATATYPE);
    EXPECT_EQ(m_key.QueryString(L"Missing", text), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(m_key.QueryDword(L"Missing", number), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(text, L"kept");
    EXPECT_EQ(number, 42u);
}

TEST_F(RegKeyTest, ValuesAndSubKeysAreEnumeratedAndDeleted) {
    ASSERT_EQ(m_key.SetString(L"A", L"1"), ERROR_SUCCESS);
    ASSERT_EQ(m_key.SetDword(L"B", 2), ERROR_SUCCESS);
    CRegKey child;
    ASSERT_EQ(child.Create(m_key, L"Child"), ERROR_SUCCESS);
    child.Close();

    std::vector<std::pair<std::wstring, DWORD>> values;
    std::wstring name;
    DWORD type = 0;
    for (DWORD i = 0; m_key.EnumValue(i, name, &type) == ERROR_SUCCESS; ++i)
        values.emplace_back(name, type);
    EXPECT_EQ(values,
              (std::vector<std::pair<std::wstring, DWORD>>{{L"A", REG_SZ}, {L"B", REG_DWORD}}));
    EXPECT_EQ(m_key.EnumKey(0, name), ERROR_SUCCESS);
    EXPECT_EQ(name, L"Child");
    EXPECT_EQ(m_key.EnumKey(1, name), ERROR_NO_MORE_ITEMS);

    EXPECT_EQ(m_key.DeleteValue(L"A"), ERROR_SUCCESS);
    EXPECT_EQ(m_key.DeleteValue(L"A"), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(m_key.EnumValue(1, name), ERROR_NO_MORE_ITEMS);
    EXPECT_EQ(m_key.DeleteSubKey(L"Child"), ERROR_SUCCESS);
    EXPECT_FALSE(KeyExists(m_path + L"\\Child"));
    EXPECT_EQ(m_key.Flush(), ERROR_SUCCESS);
}

TEST_F(RegKeyTest, LongValueNamesAreEnumeratedWhole) {
    const std::wstring longName(2000, L'n');
    ASSERT_EQ(m_key.SetDword(longName.c_str(), 1), ERROR_SUCCESS);
    std::wstring name;
    EXPECT_EQ(m_key.EnumValue(0, name), ERROR_SUCCESS);
    EXPECT_EQ(name, longName);
}

TEST_F(RegKeyTest, DeleteTreeRemovesEveryLevelAndLeavesSiblings) {
    for (const wchar_t* path : {L"Tree\\A\\A1\\A11", L"Tree\\A\\A2", L"Tree\\B", L"Sibling"}) {
        CRegKey key;
        ASSERT_EQ(key.Create(m_key, path), ERROR_SUCCESS);
        ASSERT_EQ(key.SetString(L"Value", path), ERROR_SUCCESS);
    }
    EXPECT_EQ(m_key.DeleteTree(L"Tree"), ERROR_SUCCESS);
    EXPECT_FALSE(KeyExists(m_path + L"\\Tree"));
    EXPECT_TRUE(KeyExists(m_path + L"\\Sibling"));
    EXPECT_EQ(m_key.DeleteTree(L"Tree"), ERROR_FILE_NOT_FOUND);
}

// An empty name would stand for the key itself.
TEST_F(RegKeyTest, AnEmptySubKeyNameDeletesNothing) {
    ASSERT_EQ(m_key.SetDword(L"Kept", 1), ERROR_SUCCESS);
    EXPECT_EQ(m_key.DeleteTree(L""), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(m_key.DeleteSubKey(L""), ERROR_INVALID_PARAMETER);
    EXPECT_TRUE(KeyExists(m_path));
    DWORD value = 0;
    EXPECT_EQ(m_key.QueryDword(L"Kept", value), ERROR_SUCCESS);
}

TEST_F(RegKeyTest, OpenReportsAMissingKeyAndAKeyMoves) {
    CRegKey key;
    EXPECT_EQ(key.Open(HKEY_CURRENT_USER, m_path + L"\\Missing"), ERROR_FILE_NOT_FOUND);
    EXPECT_FALSE(key.IsOpen());
    ASSERT_EQ(key.Open(HKEY_CURRENT_USER, m_path, KEY_READ), ERROR_SUCCESS);
    CRegKey moved(std::move(key));
    EXPECT_FALSE(key.IsOpen());
    EXPECT_TRUE(moved.IsOpen());
    // A key opened for reading refuses a write.
    EXPECT_EQ(moved.SetDword(L"X", 1), ERROR_ACCESS_DENIED);
}

} // namespace
