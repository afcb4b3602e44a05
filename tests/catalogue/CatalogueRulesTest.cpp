#include "catalogue/CatalogueRules.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <commctrl.h>

namespace {

using ::testing::ElementsAre;

TEST(CatalogueRules, AddUniqueKeepsTheFirstOfEqualTextsAndMindsTheCase) {
    std::vector<std::wstring> items;
    EXPECT_EQ(AddUnique(items, L"word.dta"), 0);
    EXPECT_EQ(AddUnique(items, L"excel.dta"), 1);
    EXPECT_EQ(AddUnique(items, L"word.dta"), -1);
    EXPECT_EQ(AddUnique(items, L"WORD.DTA"), 2) << "the comparison is exact";
    EXPECT_EQ(AddUnique(items, L""), 3);
    EXPECT_EQ(AddUnique(items, L""), -1);
    EXPECT_THAT(items, ElementsAre(L"word.dta", L"excel.dta", L"WORD.DTA", L""));
}

TEST(CatalogueRules, AnExclusionMatchesWhenItBeginsWithTheCandidateIgnoringCase) {
    const struct {
        std::vector<std::wstring> exclusions;
        const wchar_t* candidate;
        int start;
        int found;
    } cases[] = {
        {{L"WORD.DTA"}, L"word.dta", 0, 0},
        {{L"WORD.DTA.OLD"}, L"word.dta", 0, 0},
        {{L"WORD"}, L"word.dta", 0, -1},
        {{L"excel.dta", L"Word.Dta"}, L"word.dta", 0, 1},
        {{L"word.dta", L"word.dta"}, L"word.dta", 1, 1},
        {{L"word.dta"}, L"word.dta", 1, -1},
        {{}, L"word.dta", 0, -1},
        {{L"anything"}, L"", 0, 0},
        {{L"stra\u00dfe.dta"}, L"STRA\u00dfE.DTA", 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "candidate " << testing::PrintToString(c.candidate));
        EXPECT_EQ(FindExcluded(c.exclusions, c.candidate, c.start), c.found);
    }
}

TEST(CatalogueRules, OnlyStateImageOneCountsAsUnticked) {
    EXPECT_FALSE(CountsAsTicked(INDEXTOSTATEIMAGEMASK(1)));
    EXPECT_FALSE(CountsAsTicked(INDEXTOSTATEIMAGEMASK(1) | LVIS_SELECTED | LVIS_FOCUSED));
    EXPECT_TRUE(CountsAsTicked(INDEXTOSTATEIMAGEMASK(2)));
    EXPECT_TRUE(CountsAsTicked(0)) << "install-all mode has no images";
    EXPECT_TRUE(CountsAsTicked(INDEXTOSTATEIMAGEMASK(3)));
}

TEST(CatalogueRules, FinishNeedsExactlyOneTickedItem) {
    EXPECT_FALSE(IsSelectionAcceptable(0));
    EXPECT_TRUE(IsSelectionAcceptable(1));
    EXPECT_FALSE(IsSelectionAcceptable(2));
}

TEST(CatalogueRules, TheResultMessageFollowsTheWaitSettingsAndWhatTheWaitFound) {
    const struct {
        LaunchWaitOutcome outcome;
        bool shown;
    } cases[] = {
        {{false, false, 0, 0}, true}, {{false, false, 0, 1}, false}, {{false, false, 1, 0}, true},
        {{false, true, 1, 0}, true},  {{false, true, 0, 0}, false},  {{false, true, 0, 1}, false},
        {{true, false, 0, 0}, false}, {{true, true, 1, 0}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.outcome.noWait << c.outcome.vorqOnly
                                        << c.outcome.vorqFound << c.outcome.processesDone);
        EXPECT_EQ(ShowsResultMessage(c.outcome), c.shown);
    }
}

} // namespace
