#pragma once

#include <windows.h>

#include <ctime>
#include <string>

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

    // The local time in the form of a wcsftime format, such as "%Y/%m/%d %H:%M:%S". The format
    // comes from the program, never from data. Empty when the time has no local form.
    std::wstring Format(const wchar_t* format) const;

    auto operator<=>(const CTime&) const = default;

private:
    // False when the C library cannot represent the time in local time.
    bool ToLocal(std::tm& tm) const;
    std::tm Local() const;

    std::time_t m_time = 0;
};
