#include "framework/Time.h"

#include <cwchar>

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

bool CTime::ToLocal(std::tm& tm) const {
    return ::localtime_s(&tm, &m_time) == 0;
}

// A time without a local form reads as all zero fields.
std::tm CTime::Local() const {
    std::tm tm = {};
    if (!ToLocal(tm))
        tm = {};
    return tm;
}

std::wstring CTime::Format(const wchar_t* format) const {
    std::tm tm = {};
    if (!ToLocal(tm))
        return {};
    // wcsftime gives 0 both for an empty text and for a buffer that is too small (and some C
    // libraries give the buffer's length for a text they cut). No conversion yields more than a
    // few dozen characters, so a buffer of 128 per format character that still gives 0 means
    // the text is empty.
    const std::size_t limit = 128 * (std::wcslen(format) + 1);
    std::wstring text;
    for (std::size_t size = 128;; size *= 2) {
        text.resize(size);
        const std::size_t length = std::wcsftime(text.data(), size, format, &tm);
        if ((length > 0 && length < size) || (length == 0 && size >= limit)) {
            text.resize(length);
            return text;
        }
    }
}
