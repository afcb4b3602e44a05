// The string helpers.
#include "common/core/StringRules.h"

#include <gtest/gtest.h>

namespace {

using namespace textcore;

TEST(StringRulesTest, SplitFirstTakesTheHeadAtTheFirstCharacter) {
    std::u16string text = u"a=b=c";
    EXPECT_EQ(SplitFirst(text, u'='), u"a");
    EXPECT_EQ(text, u"b=c");
    text = u"=x";
    EXPECT_EQ(SplitFirst(text, u'='), u"");
    EXPECT_EQ(text, u"x");
    text = u"none";
    EXPECT_EQ(SplitFirst(text, u'='), u"none");
    EXPECT_EQ(text, u"");
}

TEST(StringRulesTest, SplitLastTakesTheTailAtTheLastCharacter) {
    std::u16string text = u"C:\\dir\\file.txt";
    EXPECT_EQ(SplitLast(text, u'\\'), u"file.txt");
    EXPECT_EQ(text, u"C:\\dir");
    text = u"dir\\";
    EXPECT_EQ(SplitLast(text, u'\\'), u"");
    EXPECT_EQ(text, u"dir");
    text = u"file.txt";
    EXPECT_EQ(SplitLast(text, u'\\'), u"file.txt");
    EXPECT_EQ(text, u"");
}

TEST(StringRulesTest, TrimBlanksRemovesCodesOneToThirtyTwoOnly) {
    EXPECT_EQ(TrimBlanks(std::u16string(u" \t\r\n\x01\x1F ")), u"");
    EXPECT_EQ(TrimBlanks(std::u16string(u"\t a b \r\n")), u"a b");
    EXPECT_EQ(TrimBlanks(std::u16string(u"\u00A0x\x7F")), u"\u00A0x\x7F");
    EXPECT_EQ(TrimBlanks(std::u16string(u"\0x\0", 3)), std::u16string(u"\0x\0", 3));
    EXPECT_EQ(TrimBlanks(std::u16string()), u"");
}

TEST(StringRulesTest, FileNameIsWhatFollowsTheLastBackslash) {
    EXPECT_EQ(FileNameOf(std::u16string(u"C:\\dir\\file.txt")), u"file.txt");
    EXPECT_EQ(FileNameOf(std::u16string(u"file.txt")), u"file.txt");
    EXPECT_EQ(FileNameOf(std::u16string(u"C:\\")), u"");
}

TEST(StringRulesTest, TrailingBackslashIsAddedOnce) {
    EXPECT_EQ(WithTrailingBackslash(std::u16string(u"C:\\")), u"C:\\");
    EXPECT_EQ(WithTrailingBackslash(std::u16string(u"C:\\src")), u"C:\\src\\");
    EXPECT_EQ(WithTrailingBackslash(std::u16string()), u"");
}

} // namespace
