// Formatting a local time. The times are made from local calendar fields, so that the tests
// hold in any time zone.
#include "framework/Time.h"

#include <gtest/gtest.h>

namespace {

CTime LocalTime(int year, int month, int day, int hour, int minute, int second) {
    std::tm tm = {};
    tm.tm_year = year - 1900;
    tm.tm_mon = month - 1;
    tm.tm_mday = day;
    tm.tm_hour = hour;
    tm.tm_min = minute;
    tm.tm_sec = second;
    tm.tm_isdst = -1;
    return CTime(std::mktime(&tm));
}

TEST(Time, FormatsTheLocalFieldsWithLeadingZeros) {
    const CTime time = LocalTime(2004, 3, 7, 9, 5, 1);
    EXPECT_EQ(time.Format(L"%Y/%m/%d %H:%M:%S"), L"2004/03/07 09:05:01");
    EXPECT_EQ(time.Format(L"%Y/%m/%d-%H:%M:%S"), L"2004/03/07-09:05:01");
    EXPECT_EQ(LocalTime(1999, 12, 31, 23, 59, 59).Format(L"%Y%m%d%H%M%S"), L"19991231235959");
}

TEST(Time, KeepsLiteralTextAndPercentSigns) {
    const CTime time = LocalTime(2001, 10, 25, 14, 0, 0);
    EXPECT_EQ(time.Format(L"100%% on %d.%m."), L"100% on 25.10.");
    EXPECT_EQ(time.Format(L""), L"");
}

TEST(Time, AgreesWithTheFieldAccessors) {
    const CTime now = CTime::GetCurrentTime();
    wchar_t expected[32];
    swprintf(expected, 32, L"%04d-%02d-%02d %02d:%02d:%02d", now.GetYear(), now.GetMonth(),
             now.GetDay(), now.GetHour(), now.GetMinute(), now.GetSecond());
    EXPECT_EQ(now.Format(L"%Y-%m-%d %H:%M:%S"), expected);
}

// The text grows past any first guess of its length.
TEST(Time, LongTextsAreWhole) {
    const CTime time = LocalTime(2004, 3, 7, 9, 5, 1);
    std::wstring format;
    std::wstring expected;
    for (int i = 0; i < 400; ++i) {
        format += L"%Y ";
        expected += L"2004 ";
    }
    EXPECT_EQ(time.Format(format.c_str()), expected);
}

} // namespace
