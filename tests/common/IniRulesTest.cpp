// The rules of the profile reader, the same in ANSI, UTF-16LE and (past the first line) UTF-8.
#include "common/ProfileFixture.h"

#include <gtest/gtest.h>

namespace {

using Strings = std::vector<std::u16string>;

const IniLookup kDefault{false, u"none"};

IniLookup Found(std::u16string value) {
    return {true, std::move(value)};
}

class IniRulesTest : public testing::TestWithParam<Encoding> {
protected:
    // Every text starts with a comment line, where a UTF-8 mark does no harm.
    std::string Bytes(std::u16string_view text) const {
        return Encode(GetParam(), u"; settings\r\n" + std::u16string(text));
    }
    IniLookup Value(std::u16string_view text, std::u16string_view key,
                    std::u16string_view section = u"General") const {
        return IniValue(Bytes(text), section, key);
    }
    Strings Section(std::u16string_view text, std::u16string_view section) const {
        return IniSectionLines(Bytes(text), section);
    }
    bool HasLines(std::u16string_view text, std::u16string_view section) const {
        return IniHasLines(Bytes(text), section);
    }
};

TEST_P(IniRulesTest, LastLineWithoutBreakIsNotSeenByTheValueLookup) {
    EXPECT_EQ(Value(u"[General]\r\nTitle=Melvorin", u"Title"), kDefault);
    EXPECT_EQ(Value(u"[General]\r\nTitle=Melvorin\r\n", u"Title"), Found(u"Melvorin"));
    EXPECT_EQ(Value(u"[General]\r\nTitle=Melvorin\r", u"Title"), kDefault);
}

TEST_P(IniRulesTest, HeaderMustStandAtTheStartAndMayBeFollowedByAnything) {
    EXPECT_EQ(Value(u"[General] ; main settings\r\nk=1\r\n", u"k"), Found(u"1"));
    EXPECT_EQ(Value(u"[GENERAL]junk\r\nk=1\r\n", u"k", u"general"), Found(u"1"));
    EXPECT_EQ(Value(u" [General]\r\nk=1\r\n", u"k"), kDefault);
    EXPECT_EQ(Value(u"[ General ]\r\nk=1\r\n", u"k"), kDefault);
    EXPECT_EQ(Value(u"[GeneralX]\r\nk=1\r\n", u"k"), kDefault);
    EXPECT_EQ(Value(u"[General]\r\nk=1\r\n", u"k", u"Gen"), kDefault);
}

TEST_P(IniRulesTest, HeaderLineEndingTheFileIsNoSection) {
    EXPECT_EQ(Value(u"[General]", u"k"), kDefault);
    EXPECT_EQ(Section(u"[General]", u"General"), Strings{});
    EXPECT_FALSE(HasLines(u"[General]", u"General"));
}

TEST_P(IniRulesTest, ValuesAreCutAtSemicolonsThenTrimmedThenUnquoted) {
    const std::u16string text = u"[General]\r\n"
                                u"quoted =  \"  two words \"  \r\n"
                                u"comment = text  ; remark\r\n"
                                u"cut=\"ab;cd\"\r\n"
                                u"single=\"a;b\"\r\n"
                                u"lone=\"\r\n"
                                u"empty=\r\n"
                                u"inner=a\"b\"\r\n"
                                u"Case = MiXed\r\n"
                                u"ctl=\t\x01value\x1F \r\n"
                                u"eq=a=b\r\n";
    EXPECT_EQ(Value(text, u"quoted"), Found(u"  two words "));
    EXPECT_EQ(Value(text, u"comment"), Found(u"text"));
    EXPECT_EQ(Value(text, u"cut"), Found(u"a"));
    EXPECT_EQ(Value(text, u"single"), Found(u""));
    EXPECT_EQ(Value(text, u"lone"), Found(u""));
    EXPECT_EQ(Value(text, u"empty"), Found(u""));
    EXPECT_EQ(Value(text, u"inner"), Found(u"a\"b\""));
    EXPECT_EQ(Value(text, u"CASE"), Found(u"MiXed"));
    EXPECT_EQ(Value(text, u"ctl"), Found(u"value"));
    EXPECT_EQ(Value(text, u"eq"), Found(u"a=b"));
}

TEST_P(IniRulesTest, CommentLinesAreOnlyThoseStartingWithSemicolon) {
    const std::u16string text = u"[General]\r\n"
                                u";key=hidden\r\n"
                                u"  ;key=blank key\r\n"
                                u"no equals sign\r\n"
                                u"key=visible\r\n";
    EXPECT_EQ(Value(text, u"key"), Found(u"visible"));
    EXPECT_EQ(Value(text, u";key"), Found(u"blank key"));
    EXPECT_EQ(Value(text, u"no equals sign"), kDefault);
}

TEST_P(IniRulesTest, OnlyTheFirstMatchingSectionAndTheFirstMatchingKeyCount) {
    const std::u16string text = u"[General]\r\n"
                                u"a=1\r\n"
                                u" A = 2\r\n"
                                u"[Other]\r\n"
                                u"b=3\r\n"
                                u"[general]\r\n"
                                u"a=4\r\n"
                                u"c=5\r\n";
    EXPECT_EQ(Value(text, u"a"), Found(u"1"));
    EXPECT_EQ(Value(text, u"b"), kDefault);
    EXPECT_EQ(Value(text, u"c"), kDefault);
    EXPECT_EQ(Value(text, u"b", u"Other"), Found(u"3"));
}

TEST_P(IniRulesTest, OnlyLettersAToZCompareWithoutCase) {
    const std::u16string text = u"[Sprache\u00C4]\r\n"
                                u"Schl\u00FCssel=Wert\r\n"
                                u"\r\n";
    // UTF-8 is read as ANSI, so its letters beyond ASCII are other characters.
    const bool readable = GetParam() != Encoding::Utf8;
    EXPECT_EQ(Value(text, u"SCHL\u00FCSSEL", u"sprache\u00C4"),
              readable ? Found(u"Wert") : kDefault);
    EXPECT_EQ(Value(text, u"Schl\u00DCssel", u"Sprache\u00C4"), kDefault);
    EXPECT_EQ(Value(text, u"Schl\u00FCssel", u"Sprache\u00E4"), kDefault);
}

TEST_P(IniRulesTest, LineFeedsAloneDoNotEndLines) {
    const std::u16string text = u"[General]\r\nk=v\nj=w\r\n";
    EXPECT_EQ(Value(text, u"k"), Found(u"v\nj=w"));
    EXPECT_EQ(Value(text, u"j"), kDefault);
    EXPECT_EQ(Value(u"[General]\nk=v\n", u"k"), kDefault);
}

TEST_P(IniRulesTest, SectionLinesAreRawUpToTheNextHeader) {
    const std::u16string text = u"[Data]  ; list\r\n"
                                u"  first = 1 ; note\r\n"
                                u"\r\n"
                                u";comment\r\n"
                                u"[Next]\r\n"
                                u"other\r\n";
    EXPECT_EQ(Section(text, u"data"), (Strings{u"  first = 1 ; note", u"", u";comment"}));
    EXPECT_EQ(Section(text, u"Next"), (Strings{u"other", u""}));
    EXPECT_EQ(Section(u"[Next]\r\nlast", u"Next"), Strings{u"last"});
    EXPECT_EQ(Section(text, u"Missing"), Strings{});
}

TEST_P(IniRulesTest, SectionHasLinesWhenAnythingButAHeaderFollows) {
    EXPECT_FALSE(HasLines(u"[Empty]\r\n[Full]\r\nx\r\n", u"Empty"));
    EXPECT_TRUE(HasLines(u"[Empty]\r\n[Full]\r\nx\r\n", u"Full"));
    EXPECT_TRUE(HasLines(u"[Empty]\r\n", u"Empty"));
    EXPECT_EQ(Section(u"[Empty]\r\n", u"Empty"), Strings{u""});
    EXPECT_TRUE(HasLines(u"[Empty]\r\n;just a comment\r\n[Full]", u"Empty"));
    EXPECT_FALSE(HasLines(u"[Full]\r\nx\r\n", u"Missing"));
}

TEST_P(IniRulesTest, HeaderOnTheFirstLineIsMissedOnlyBehindAUtf8Mark) {
    const std::string bytes = Encode(GetParam(), u"[General]\r\nk=v\r\n");
    const bool seen = GetParam() != Encoding::Utf8;
    EXPECT_EQ(IniValue(bytes, u"General", u"k"), seen ? Found(u"v") : kDefault);
    EXPECT_EQ(IniSectionLines(bytes, u"General"), seen ? (Strings{u"k=v", u""}) : Strings{});
}

INSTANTIATE_TEST_SUITE_P(Encodings, IniRulesTest,
                         testing::Values(Encoding::Ansi, Encoding::Utf16Le, Encoding::Utf8),
                         [](const auto& info) { return NameOf(info.param); });

TEST(IniFileTest, EmptyOrMarkOnlyFilesHaveNothing) {
    for (const std::string bytes : {"", "\xFF\xFE", "\xEF\xBB\xBF"}) {
        EXPECT_EQ(IniValue(bytes, u"General", u"k"), kDefault);
        EXPECT_EQ(IniSectionLines(bytes, u"General"), Strings{});
    }
}

} // namespace
