// CTime: a point in time as seconds since 1 January 1970 (UTC), 64 bits wide, with the local
// calendar fields on request.
#pragma once

#include <windows.h>

#include <cstdint>

class CTime {
public:
    CTime() noexcept : m_time(0) {}
    explicit CTime(int64_t time) noexcept : m_time(time) {}
    // Local calendar time; nDST < 0 lets the C library decide whether daylight saving applies.
    // Fields the C library cannot place give the time 0.
    CTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec, int nDST = -1) noexcept;
    CTime(const SYSTEMTIME& st, int nDST = -1) noexcept;
    // A FILETIME counts UTC, so it converts without a detour through local time (nDST is kept
    // for callers written against the local-time form and has no effect).
    CTime(const FILETIME& ft, int nDST = -1) noexcept;

    static CTime GetCurrentTime() noexcept;

    int64_t GetTime() const noexcept { return m_time; }
    // Local calendar fields; all 0 when the time is outside what the C library converts.
    int GetYear() const noexcept;
    int GetMonth() const noexcept;
    int GetDay() const noexcept;
    int GetHour() const noexcept;
    int GetMinute() const noexcept;
    int GetSecond() const noexcept;
    int GetDayOfWeek() const noexcept; // 1 = Sunday
    // Local time; FALSE when the time cannot be expressed as a SYSTEMTIME.
    BOOL GetAsSystemTime(SYSTEMTIME& st) const noexcept;

    bool operator==(CTime t) const noexcept { return m_time == t.m_time; }
    bool operator!=(CTime t) const noexcept { return m_time != t.m_time; }
    bool operator<(CTime t) const noexcept { return m_time < t.m_time; }
    bool operator>(CTime t) const noexcept { return m_time > t.m_time; }
    bool operator<=(CTime t) const noexcept { return m_time <= t.m_time; }
    bool operator>=(CTime t) const noexcept { return m_time >= t.m_time; }

private:
    // The local calendar fields; false outside the C library's range.
    bool LocalFields(struct tm& out) const noexcept;

    int64_t m_time;
};
