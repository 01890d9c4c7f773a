#include "framework/core/ctime.h"

#include <gtest/gtest.h>

namespace {
FILETIME FileTimeOf(uint64_t ticks) {
    FILETIME ft;
    ft.dwLowDateTime = (DWORD)ticks;
    ft.dwHighDateTime = (DWORD)(ticks >> 32);
    return ft;
}
} // namespace

TEST(Time, FromFileTimeCountsUtcSeconds) {
    const uint64_t epoch = 116444736000000000ULL;
    struct Row {
        uint64_t ticks;
        int64_t seconds;
    } rows[] = {
        {epoch, 0},
        {epoch + 946684800ULL * 10000000ULL, 946684800},           // 2000-01-01 00:00:00 UTC
        {epoch + 946684800ULL * 10000000ULL + 9999999, 946684800}, // part of a second drops
        {epoch - 1, -1}, // before 1970: the earlier second
    };
    for (const Row& row : rows)
        EXPECT_EQ(row.seconds, CTime(FileTimeOf(row.ticks)).GetTime()) << row.ticks;
}

TEST(Time, LocalFieldsMatchTheSystemsConversion) {
    // A file time's local calendar fields are those Windows itself gives for it.
    FILETIME utc = FileTimeOf(116444736000000000ULL + 1234567890ULL * 10000000ULL);
    FILETIME local;
    SYSTEMTIME expected;
    ASSERT_TRUE(FileTimeToLocalFileTime(&utc, &local));
    ASSERT_TRUE(FileTimeToSystemTime(&local, &expected));
    CTime t(utc);
    SYSTEMTIME st;
    ASSERT_TRUE(t.GetAsSystemTime(st));
    EXPECT_EQ(expected.wYear, st.wYear);
    EXPECT_EQ(expected.wMonth, st.wMonth);
    EXPECT_EQ(expected.wDay, st.wDay);
    EXPECT_EQ(expected.wHour, st.wHour);
    EXPECT_EQ(expected.wMinute, st.wMinute);
    EXPECT_EQ(expected.wSecond, st.wSecond);
    EXPECT_EQ(expected.wDayOfWeek + 1, t.GetDayOfWeek());
    // The calendar constructor is the inverse.
    EXPECT_EQ(t, CTime(st));
    EXPECT_TRUE(CTime(0) < t);
}
