#include "framework/core/ctime.h"

#include <ctime>

namespace {
// 100-nanosecond ticks between 1601-01-01 and 1970-01-01.
constexpr int64_t kEpochDelta = 116444736000000000LL;
constexpr int64_t kTicksPerSecond = 10000000LL;
} // namespace

CTime::CTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec, int nDST) noexcept
    : m_time(0) {
    struct tm t = {};
    t.tm_year = nYear - 1900;
    t.tm_mon = nMonth - 1;
    t.tm_mday = nDay;
    t.tm_hour = nHour;
    t.tm_min = nMin;
    t.tm_sec = nSec;
    t.tm_isdst = nDST;
    __time64_t time = _mktime64(&t);
    if (time != -1)
        m_time = time;
}

CTime::CTime(const SYSTEMTIME& st, int nDST) noexcept
    : CTime(st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond, nDST) {}

CTime::CTime(const FILETIME& ft, int) noexcept {
    const int64_t ticks = (int64_t)(((uint64_t)ft.dwHighDateTime << 32) | ft.dwLowDateTime);
    // Floor division keeps times before 1970 on the earlier second.
    int64_t delta = ticks - kEpochDelta;
    int64_t seconds = delta / kTicksPerSecond;
    if (delta % kTicksPerSecond < 0)
        seconds--;
    m_time = seconds;
}

CTime CTime::GetCurrentTime() noexcept {
    return CTime((int64_t)_time64(NULL));
}

bool CTime::LocalFields(struct tm& out) const noexcept {
    __time64_t time = (__time64_t)m_time;
    if (_localtime64_s(&out, &time) != 0) {
        out = {};
        return false;
    }
    return true;
}

int CTime::GetYear() const noexcept {
    struct tm t;
    return LocalFields(t) ? t.tm_year + 1900 : 0;
}

int CTime::GetMonth() const noexcept {
    struct tm t;
    return LocalFields(t) ? t.tm_mon + 1 : 0;
}

int CTime::GetDay() const noexcept {
    struct tm t;
    return LocalFields(t) ? t.tm_mday : 0;
}

int CTime::GetHour() const noexcept {
    struct tm t;
    return LocalFields(t) ? t.tm_hour : 0;
}

int CTime::GetMinute() const noexcept {
    struct tm t;
    return LocalFields(t) ? t.tm_min : 0;
}

int CTime::GetSecond() const noexcept {
    struct tm t;
    return LocalFields(t) ? t.tm_sec : 0;
}

int CTime::GetDayOfWeek() const noexcept {
    struct tm t;
    return LocalFields(t) ? t.tm_wday + 1 : 0;
}

BOOL CTime::GetAsSystemTime(SYSTEMTIME& st) const noexcept {
    struct tm t;
    if (!LocalFields(t))
        return FALSE;
    st = {};
    st.wYear = (WORD)(t.tm_year + 1900);
    st.wMonth = (WORD)(t.tm_mon + 1);
    st.wDay = (WORD)t.tm_mday;
    st.wDayOfWeek = (WORD)t.tm_wday;
    st.wHour = (WORD)t.tm_hour;
    st.wMinute = (WORD)t.tm_min;
    st.wSecond = (WORD)t.tm_sec;
    return TRUE;
}
