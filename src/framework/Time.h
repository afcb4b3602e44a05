#pragma once

#include <windows.h>

#include <ctime>

// A local date and time in whole seconds.
class CTime {
public:
    CTime() = default;
    explicit CTime(std::time_t time) : m_time(time) {}
    // From a file time (UTC). `dst` is the daylight-saving flag of mktime: -1 lets the C
    // library decide whether daylight saving was in effect at that time.
    CTime(const FILETIME& fileTime, int dst = -1);

    static CTime GetCurrentTime() { return CTime(std::time(nullptr)); }

    std::time_t GetTime() const { return m_time; }
    int GetYear() const { return Local().tm_year + 1900; }
    int GetMonth() const { return Local().tm_mon + 1; }
    int GetDay() const { return Local().tm_mday; }
    int GetHour() const { return Local().tm_hour; }
    int GetMinute() const { return Local().tm_min; }
    int GetSecond() const { return Local().tm_sec; }

    auto operator<=>(const CTime&) const = default;

private:
    std::tm Local() const;

    std::time_t m_time = 0;
};
