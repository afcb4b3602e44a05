// The rule for names and relative paths from recovery-source data.
#include "common/core/SafeNames.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

using namespace textcore;

// For the failure messages: the name with every unit above ASCII as \uXXXX.
std::string Printable(std::u16string_view text) {
    std::string printable;
    for (char16_t c : text) {
        if (c >= 0x20 && c < 0x7F) {
            printable += static_cast<char>(c);
        } else {
            char escape[8];
            std::snprintf(escape, sizeof(escape), "\\u%04X", static_cast<unsigned>(c));
            printable += escape;
        }
    }
    return printable;
}

TEST(SafeNames, OrdinaryNamesAreSafe) {
    for (std::u16string_view name :
         {u"A.TXT", u"a b.c.d", u".hidden", u"CONSOLE.DLL", u"COM10", u"COM0", u"LPT0.txt",
          u"nul-device", u"CONX", u" leading", u"\u00e9t\u00e9", u"\u65e5\u672c.txt"}) {
        EXPECT_TRUE(IsSafeName(name)) << Printable(name);
        EXPECT_TRUE(IsSafeRelativePath(name)) << Printable(name);
    }
}

const std::u16string_view kUnsafeNames[] = {
    // empty and dot names
    u"",
    u".",
    u"..",
    u"...",
    // stripped by Windows
    u"file.",
    u"file ",
    u"file. ",
    // forbidden characters
    u"a<b",
    u"a>b",
    u"a:b",
    u"a\"b",
    u"a|b",
    u"a?b",
    u"a*b",
    // control characters
    u"a\x01z",
    u"tab\there",
    u"a\x1F",
    // devices, also with an extension and blanks before it, and with superscript port digits
    u"CON",
    u"prn",
    u"Aux.txt",
    u"NUL.tar.gz",
    u"CON .txt",
    u"COM1",
    u"com9.log",
    u"LPT1",
    u"lpt9.x",
    u"COM\u00B9",
    u"LPT\u00B3",
};

TEST(SafeNames, UnsafeNamesAreRefused) {
    for (std::u16string_view name : kUnsafeNames) {
        EXPECT_FALSE(IsSafeName(name)) << Printable(name);
        EXPECT_FALSE(IsSafeRelativePath(name)) << Printable(name);
    }
}

TEST(SafeNames, RelativePathsWithEitherSeparatorAreSafe) {
    for (std::u16string_view path : {u"APPS\\Office", u"APPS/Office", u"a\\b/c\\d.inf",
                                     u"system32\\drivers\\etc\\hosts", u"x\\.hidden"}) {
        EXPECT_TRUE(IsSafeRelativePath(path)) << Printable(path);
        EXPECT_FALSE(IsSafeName(path)) << Printable(path);
    }
}

const std::u16string_view kUnsafePaths[] = {
    // rooted, UNC
    u"\\Windows\\win.ini",
    u"/etc/passwd",
    u"\\\\server\\share\\x",
    // drives, streams
    u"C:\\boot.ini",
    u"C:boot.ini",
    u"a\\b:stream",
    // parent and current directories
    u"..\\evil.dll",
    u"a/../../b",
    u"a\\..",
    u"..",
    u".\\a",
    u"a/./b",
    // empty components
    u"a\\\\b",
    u"a//b",
    u"a\\",
    u"a/",
    u"\\",
    // components that Windows would change
    u"dir.\\file",
    u"dir /file",
    // devices in subdirectories
    u"sub\\nul",
    u"sub/COM3.txt",
};

TEST(SafeNames, PathsThatLeaveTheirDirectoryOrNameDevicesAreRefused) {
    for (std::u16string_view path : kUnsafePaths)
        EXPECT_FALSE(IsSafeRelativePath(path)) << Printable(path);
}

TEST(SafeNames, BothSeparatorsAreSeparators) {
    EXPECT_TRUE(IsPathSeparator(u'\\'));
    EXPECT_TRUE(IsPathSeparator(u'/'));
    EXPECT_FALSE(IsPathSeparator(u':'));
    EXPECT_FALSE(IsPathSeparator(u'\u2215')); // division slash
}

#ifdef _WIN32
// Windows' wide strings take the same rule without a copy: every name and path of the tables
// gets the same answer in either kind.
TEST(SafeNames, WideStringsGetTheSameAnswers) {
    std::vector<std::u16string_view> all(std::begin(kUnsafeNames), std::end(kUnsafeNames));
    all.insert(all.end(), std::begin(kUnsafePaths), std::end(kUnsafePaths));
    for (std::u16string_view safe : {u"A.TXT", u"LPT0.txt", u"CONX", u"\u00e9t\u00e9", u"a/b\\c"})
        all.push_back(safe);
    for (std::u16string_view text : all) {
        const std::wstring wide(text.begin(), text.end());
        EXPECT_EQ(IsSafeName(std::wstring_view(wide)), IsSafeName(text)) << Printable(text);
        EXPECT_EQ(IsSafeRelativePath(std::wstring_view(wide)), IsSafeRelativePath(text))
            << Printable(text);
    }
}
#endif

} // namespace
