#include "archive/ArchiveNames.h"
#include "archive/ArchiveText.h"

#include <gtest/gtest.h>

TEST(ArchiveNames, RelativeNamesWithSubdirectoriesAreSafe) {
    for (std::u16string_view name :
         {u"A.TXT", u"system32\\drivers\\etc\\hosts", u"a b\\c.d.e", u"CONSOLE.DLL", u"COM10",
          u"LPT0.txt", u"nul-device", u"x\\.hidden", u"\u00e9t\u00e9\\\u65e5\u672c.txt"}) {
        EXPECT_TRUE(IsSafeEntryName(name)) << Utf16ToUtf8(name);
    }
}

TEST(ArchiveNames, EveryKindOfUnsafeNameIsRefused) {
    for (std::u16string_view name : {
             u"", // empty
             u"\\Windows\\win.ini",
             u"\\\\server\\share\\x", // leading backslash, UNC
             u"C:\\boot.ini",
             u"C:boot.ini",
             u"a\\b:stream", // drive colon, any colon
             u"/etc/passwd",
             u"a/../../b", // forward slashes
             u"..\\evil.dll",
             u"a\\..\\..\\evil",
             u"a\\..", // ".." components
             u".\\a",
             u"a\\.\\b",
             u".", // "." components
             u"a\\\\b",
             u"a\\", // empty components
             u"dir.\\file",
             u"file.",
             u"file ",
             u"dir \\x", // trailing dot or blank
             u"a<b",
             u"a>b",
             u"a\"b",
             u"a|b",
             u"a?b",
             u"a*b", // forbidden characters
             u"a\x01"
             u"b",
             u"tab\there", // control characters
             u"CON",
             u"prn",
             u"Aux.txt",
             u"NUL.tar.gz",
             u"sub\\nul",
             u"CON .txt",
             u"COM1",
             u"com9.log",
             u"LPT1",
             u"lpt9.x",
             u"COM\u00B9", // devices
         }) {
        EXPECT_FALSE(IsSafeEntryName(name)) << Utf16ToUtf8(name);
    }
}

TEST(ArchiveNames, JoinInsertsOneBackslash) {
    EXPECT_EQ(JoinEntryPath(u"C:", u"A.TXT"), u"C:\\A.TXT");
    EXPECT_EQ(JoinEntryPath(u"C:\\", u"A.TXT"), u"C:\\A.TXT");
    EXPECT_EQ(JoinEntryPath(u"D:\\dir", u"sub\\A.TXT"), u"D:\\dir\\sub\\A.TXT");
    EXPECT_EQ(JoinEntryPath(u"/tmp/", u"A.TXT"), u"/tmp/A.TXT");
}

TEST(ArchiveNames, ParentDropsTheLastComponent) {
    EXPECT_EQ(ParentPathOf(u"C:\\dir\\A.TXT"), u"C:\\dir");
    EXPECT_EQ(ParentPathOf(u"C:\\A.TXT"), u"C:");
    EXPECT_EQ(ParentPathOf(u"/tmp/x/a"), u"/tmp/x");
    EXPECT_EQ(ParentPathOf(u"A.TXT"), u"");
}

TEST(ArchiveText, Utf8RoundTripKeepsEveryCodeUnit) {
    const std::u16string text = u"a\u00e9\u65e5\U0001F600\xD800z"; // with an unpaired surrogate
    EXPECT_EQ(Utf16ToUtf8(u"\u00e9\U0001F600"), "\xC3\xA9\xF0\x9F\x98\x80");
    EXPECT_EQ(Utf8ToUtf16(Utf16ToUtf8(text)), text);
    EXPECT_EQ(Utf8ToUtf16("a\xFF"
                          "b\xC3"),
              u"a\uFFFDb\uFFFD");
}
