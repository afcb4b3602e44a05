#include "framework/Time.h"

CTime::CTime(const FILETIME& fileTime, int dst) {
    // The file time becomes local calendar fields first, which mktime then reads back as
    // local time; this is where the daylight-saving flag matters.
    FILETIME local;
    SYSTEMTIME fields;
    if (!::FileTimeToLocalFileTime(&fileTime, &local) || !::FileTimeToSystemTime(&local, &fields))
        return;
    std::tm tm = {};
    tm.tm_year = fields.wYear - 1900;
    tm.tm_mon = fields.wMonth - 1;
    tm.tm_mday = fields.wDay;
    tm.tm_hour = fields.wHour;
    tm.tm_min = fields.wMinute;
    tm.tm_sec = fields.wSecond;
    tm.tm_isdst = dst;
    std::time_t time = std::mktime(&tm);
    m_time = time == static_cast<std::time_t>(-1) ? 0 : time;
}

std::tm CTime::Local() const {
    std::tm tm = {};
    ::localtime_s(&tm, &m_time);
    return tm;
}
