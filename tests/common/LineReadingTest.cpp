// Line rules of the text file reader and the line file, in every encoding they read.
#include "common/ProfileFixture.h"

#include <gtest/gtest.h>

namespace {

using namespace std::string_literals;
using Lines = std::vector<LineRead>;

class TextLinesTest : public testing::TestWithParam<Encoding> {
protected:
    std::string Bytes(std::u16string_view text) const { return Encode(GetParam(), text); }

    // A UTF-8 mark is read as three ANSI characters at the start of the first line.
    std::u16string MarkAsRead() const {
        return GetParam() == Encoding::Utf8 ? u"\u00EF\u00BB\u00BF" : u"";
    }

    Lines Read(std::u16string_view text, size_t count) {
        CTextUnderTest file(Bytes(text));
        EXPECT_TRUE(file.Open());
        Lines lines = file.ReadLines(count);
        if (!lines.empty() && lines[0].text.starts_with(MarkAsRead()))
            lines[0].text.erase(0, MarkAsRead().size());
        return lines;
    }
};

TEST_P(TextLinesTest, EndFlagComesWithTheLastLineOrTheEmptyLineAfterTheFinalBreak) {
    EXPECT_EQ(Read(u"one\r\ntwo", 3), (Lines{{u"one", false}, {u"two", true}, {u"", true}}));
    EXPECT_EQ(Read(u"one\r\ntwo\r\n", 3), (Lines{{u"one", false}, {u"two", false}, {u"", true}}));
    EXPECT_EQ(Read(u"one\r\ntwo\r", 2), (Lines{{u"one", false}, {u"two", true}}));
    EXPECT_EQ(Read(u"", 2), (Lines{{u"", true}, {u"", true}}));
}

TEST_P(TextLinesTest, CarriageReturnSwallowsTheNextUnitAndLineFeedAloneIsOrdinary) {
    EXPECT_EQ(Read(u"ab\rXcd\r\n\r\n", 3), (Lines{{u"ab", false}, {u"cd", false}, {u"", false}}));
    EXPECT_EQ(Read(u"[s]\nk=v\n", 1), (Lines{{u"[s]\nk=v\n", true}}));
    EXPECT_EQ(Read(u"a\r\r\nb", 2), (Lines{{u"a", false}, {u"\nb", true}}));
}

TEST_P(TextLinesTest, LineIsCutAtItsFirstNul) {
    EXPECT_EQ(Read(std::u16string(u"ab\0cd\r\nef", 9), 2), (Lines{{u"ab", false}, {u"ef", true}}));
}

TEST_P(TextLinesTest, VeryLongLinesAreReadWhole) {
    const std::u16string longLine(5000, u'x');
    EXPECT_EQ(Read(longLine + u"\r\nnext\r\n", 2), (Lines{{longLine, false}, {u"next", false}}));
}

TEST_P(TextLinesTest, RewindStartsAgainAfterTheMarkAndClearsTheEndFlag) {
    CTextUnderTest file(Bytes(u"first\r\nsecond"));
    ASSERT_TRUE(file.Open());
    EXPECT_EQ(file.ReadLines(2), (Lines{{MarkAsRead() + u"first", false}, {u"second", true}}));
    file.Rewind();
    EXPECT_FALSE(file.IsEnd());
    EXPECT_EQ(file.IsUnicode(), GetParam() == Encoding::Utf16Le);
    EXPECT_EQ(file.ReadLine(), (LineRead{MarkAsRead() + u"first", false}));
}

TEST_P(TextLinesTest, OpenClearsTheEndFlagEvenWhenItFails) {
    CTextUnderTest file(Bytes(u"only"));
    ASSERT_TRUE(file.Open());
    EXPECT_EQ(file.ReadLine(), (LineRead{MarkAsRead() + u"only", true}));
    EXPECT_FALSE(file.OpenMissing());
    EXPECT_FALSE(file.IsEnd());
    EXPECT_EQ(file.ReadLine(), (LineRead{u"", true}));
    ASSERT_TRUE(file.Open());
    EXPECT_FALSE(file.IsEnd());
    file.Close();
    EXPECT_EQ(file.ReadLine(), (LineRead{u"", true}));
}

INSTANTIATE_TEST_SUITE_P(Encodings, TextLinesTest,
                         testing::Values(Encoding::Ansi, Encoding::Utf16Le, Encoding::Utf8),
                         [](const auto& info) { return NameOf(info.param); });

TEST(TextEncodingTest, OnlyTheLittleEndianMarkMakesAFileUnicode) {
    struct Case {
        std::string bytes;
        bool unicode;
        Lines lines;
    };
    const Case cases[] = {
        {"\xFF\xFEh\0i\0"s, true, {{u"hi", true}}},
        {"\xFF\xFE"s, true, {{u"", true}}},
        {"a"s, false, {{u"a", true}}},
        {"\xFE\xFFh\0"s, false, {{u"\u00FE\u00FFh", true}}},
        {"a\0\r\nb"s, false, {{u"a", false}, {u"b", true}}},
        // A lone byte at the end of a Unicode file is one more character.
        {"\xFF\xFEh\0i"s, true, {{u"hi", true}}},
    };
    for (const Case& c : cases) {
        CTextUnderTest file(c.bytes);
        ASSERT_TRUE(file.Open());
        EXPECT_EQ(file.IsUnicode(), c.unicode) << testing::PrintToString(c.bytes);
        EXPECT_EQ(file.ReadLines(c.lines.size()), c.lines) << testing::PrintToString(c.bytes);
    }
}

TEST(LineFileTest, KeepsTheMarkDropsNulsAndSplitsLikeUnicodeText) {
    EXPECT_EQ(
        ReadLineFileLines(Encode(Encoding::Utf16Le, std::u16string(u"a\0b\r\nc\rXd\r", 10)), 3),
        (Lines{{u"\uFEFFab", false}, {u"c", false}, {u"d", true}}));
    EXPECT_EQ(ReadLineFileLines(Encode(Encoding::Utf16Le, u"x\ny\r\n").substr(2), 3),
              (Lines{{u"x\ny", false}, {u"", true}, {u"", true}}));
    EXPECT_EQ(ReadLineFileLines("", 1), (Lines{{u"", true}}));
}

} // namespace
