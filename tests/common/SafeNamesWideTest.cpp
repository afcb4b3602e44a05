// The wide-string form of the rule for names from recovery-source data.
#include "common/SafeNames.h"

#include <gtest/gtest.h>

namespace {

TEST(SafeNamesWide, NamesAndPathsFollowTheRule) {
    EXPECT_TRUE(IsSafeName(L"Setup.inf"));
    EXPECT_FALSE(IsSafeName(L"APPS\\Office"));
    EXPECT_FALSE(IsSafeName(L"LPT2"));
    EXPECT_TRUE(IsSafeRelativePath(L"APPS\\Office/Setup.inf"));
    EXPECT_FALSE(IsSafeRelativePath(L"APPS\\..\\..\\Windows"));
    EXPECT_FALSE(IsSafeRelativePath(L"C:\\Windows"));
    EXPECT_FALSE(IsSafeRelativePath(L""));
}

// The wrapper hands over every unit, also those beyond the first null character and beyond
// the basic plane.
TEST(SafeNamesWide, EveryUnitCounts) {
    EXPECT_FALSE(IsSafeName(std::wstring_view(L"a\0b", 3)));
    EXPECT_TRUE(IsSafeName(L"\U0001F600.txt"));
}

} // namespace
