// Date-time values: encoding, decoding, the date error, the clock and formatting.
#include "classlib/core/DateTime.h"
#include "classlib/core/Exceptions.h"

#include <gtest/gtest.h>
#include <cmath>

namespace {

struct FixedClock : IClock {
    SYSTEMTIME Now{};
    SYSTEMTIME GetLocalTime() override { return Now; }
    bool SetLocalTime(const SYSTEMTIME&) override { return false; }
};

}  // namespace

TEST(DateTime, EncodesAndDecodesToTheMillisecond) {
    struct Case { unsigned Y, Mo, D, H, N, S, Ms; double Value; };
    const Case cases[] = {
        {1899, 12, 30, 0, 0, 0, 0, 0.0},
        {1899, 12, 31, 12, 0, 0, 0, 1.5},
        {1900, 3, 1, 0, 0, 0, 0, 61.0},
        {2000, 2, 29, 23, 59, 59, 999, 36585 + 86399999 / MSecsPerDay},
        {2024, 1, 1, 0, 0, 0, 1, 45292 + 1 / MSecsPerDay},
        {1899, 12, 29, 6, 0, 0, 0, -1.25},   // before day 0 the time still counts forwards
        {1, 1, 1, 0, 0, 0, 0, -693593.0},
        {9999, 12, 31, 23, 59, 59, 999, 2958465 + 86399999 / MSecsPerDay},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.Y << "-" << c.Mo << "-" << c.D);
        TDateTime v = EncodeDateTime(c.Y, c.Mo, c.D, c.H, c.N, c.S, c.Ms);
        EXPECT_DOUBLE_EQ(v, c.Value);
        unsigned y, mo, d, h, n, s, ms;
        DecodeDate(v, y, mo, d);
        DecodeTime(v, h, n, s, ms);
        EXPECT_EQ((std::vector<unsigned>{y, mo, d, h, n, s, ms}),
                  (std::vector<unsigned>{c.Y, c.Mo, c.D, c.H, c.N, c.S, c.Ms}));
    }
}

TEST(DateTime, EveryMillisecondOfADaySurvivesTheRoundTrip) {
    const TDateTime day = EncodeDate(2023, 10, 5);
    for (unsigned ms = 0; ms < 86400000; ms += 997) {
        TDateTime v = day + EncodeTime(ms / 3600000, ms / 60000 % 60, ms / 1000 % 60, ms % 1000);
        unsigned h, n, s, m;
        DecodeTime(v, h, n, s, m);
        ASSERT_EQ(((h * 60 + n) * 60 + s) * 1000 + m, ms);
    }
}

TEST(DateTime, InvalidPartsRaiseTheDateError) {
    struct Case { unsigned Y, Mo, D, H, N, S, Ms; };
    const Case cases[] = {
        {2024, 15, 1, 0, 0, 0, 0}, {2024, 0, 1, 0, 0, 0, 0}, {2023, 2, 29, 0, 0, 0, 0}, {1900, 2, 29, 0, 0, 0, 0},
        {2024, 4, 31, 0, 0, 0, 0}, {0, 1, 1, 0, 0, 0, 0}, {10000, 1, 1, 0, 0, 0, 0}, {2024, 1, 0, 0, 0, 0, 0},
        {2024, 1, 1, 24, 0, 0, 0}, {2024, 1, 1, 0, 60, 0, 0}, {2024, 1, 1, 0, 0, 60, 0}, {2024, 1, 1, 0, 0, 0, 1000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.Y << "-" << c.Mo << "-" << c.D << " " << c.H << ":" << c.N);
        try {
            EncodeDateTime(c.Y, c.Mo, c.D, c.H, c.N, c.S, c.Ms);
            ADD_FAILURE() << "no error";
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.Message(), "日付に変換できない値が渡されました");
        }
    }
    TDateTime r = 0;
    EXPECT_FALSE(TryEncodeDate(2024, 15, 1, r));
    EXPECT_TRUE(TryEncodeDate(2024, 2, 29, r));
}

TEST(DateTime, ValuesOutsideTheCalendarDoNotDecode) {
    unsigned y, m, d;
    EXPECT_THROW(DecodeDate(1e300, y, m, d), EDateConvertError);
    EXPECT_THROW(DecodeDate(std::nan(""), y, m, d), EDateConvertError);
}

TEST(DateTime, DayOfWeekAndSystemTime) {
    EXPECT_EQ(DayOfWeek(0.0), 7u);                         // 1899-12-30 was a Saturday
    EXPECT_EQ(DayOfWeek(EncodeDate(2024, 6, 2)), 1u);      // a Sunday
    EXPECT_EQ(DayOfWeek(EncodeDate(1899, 12, 25)), 2u);    // a Monday, before day 0
    SYSTEMTIME st = DateTimeToSystemTime(EncodeDateTime(2024, 6, 3, 7, 8, 9, 10));
    EXPECT_EQ(st.wYear, 2024); EXPECT_EQ(st.wMonth, 6); EXPECT_EQ(st.wDay, 3); EXPECT_EQ(st.wDayOfWeek, 1);
    EXPECT_EQ(st.wHour, 7); EXPECT_EQ(st.wMinute, 8); EXPECT_EQ(st.wSecond, 9); EXPECT_EQ(st.wMilliseconds, 10);
    EXPECT_DOUBLE_EQ(SystemTimeToDateTime(st), EncodeDateTime(2024, 6, 3, 7, 8, 9, 10));
}

TEST(DateTime, NowDateAndTimeComeFromTheGivenClock) {
    FixedClock clock;
    clock.Now = SYSTEMTIME{2031, 12, 3, 24, 23, 59, 58, 123};
    EXPECT_DOUBLE_EQ(Now(clock), EncodeDateTime(2031, 12, 24, 23, 59, 58, 123));
    EXPECT_DOUBLE_EQ(Date(clock), EncodeDate(2031, 12, 24));
    EXPECT_DOUBLE_EQ(Time(clock), EncodeTime(23, 59, 58, 123));
}

TEST(DateTime, FormatUsesTheLocaleSeparators) {
    char date[8] = {}, time[8] = {};
    GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDATE, date, sizeof date);
    GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STIME, time, sizeof time);
    const AnsiString d = date, t = time;
    const TDateTime v = EncodeDateTime(2007, 3, 4, 5, 6, 7, 89);
    EXPECT_EQ(FormatDateTime("yy/mm/dd hh:nn:ss", v), "07" + d + "03" + d + "04 05" + t + "06" + t + "07");
    EXPECT_EQ(FormatDateTime("yyyy/m/d h:n:s.zzz", v), "2007" + d + "3" + d + "4 5" + t + "6" + t + "7.089");
    EXPECT_EQ(FormatDateTime("\"yy\" yy", v), "yy 07");
    EXPECT_EQ(FormatDateTime("hh:nn", EncodeDateTime(1899, 12, 29, 18, 30, 0, 0)), "18" + t + "30");
}
