#include "DateTimeTestUtil.h"

#include <qyx/platform/DateTime.h>
#include <qyx/platform/Exceptions.h>

#include <gtest/gtest.h>

#include <cmath>
#include <ctime>

using namespace qyx;

namespace {

template <typename F> void ExpectConvertError(F Call, const std::string& Message) {
    try {
        Call();
        ADD_FAILURE() << "no EConvertError, expected: " << Message;
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), Message);
    }
}

struct TYmd {
    int y, m, d;
};

TYmd Decoded(TDateTime DT) {
    uint16_t y, m, d;
    DecodeDate(DT, y, m, d);
    return {y, m, d};
}

} // namespace

TEST(DateTime, EncodeDateCountsDaysFrom1899_12_30) {
    EXPECT_EQ(EncodeDate(1899, 12, 30), 0);
    EXPECT_EQ(EncodeDate(1900, 1, 1), 2);
    EXPECT_EQ(EncodeDate(1970, 1, 1), UnixDateDelta);
    EXPECT_EQ(EncodeDate(2000, 2, 29), 36585);
    EXPECT_EQ(EncodeDate(1, 1, 1), MinDateTimeDays);
    EXPECT_EQ(EncodeDate(9999, 12, 31), MaxDateTimeDays);
    EXPECT_EQ(EncodeDate(2400, 2, 29), EncodeDate(2400, 3, 1) - 1);
}

TEST(DateTime, ImpossibleDatesAndTimesRaise) {
    const TYmd dates[] = {{2001, 2, 29}, {1900, 2, 29}, {0, 1, 1},    {10000, 1, 1}, {2000, 13, 1},
                          {2000, 0, 1},  {2000, 4, 31}, {2000, 1, 0}, {2000, 1, -1}};
    for (const auto& d : dates) {
        SCOPED_TRACE(testing::Message() << d.y << "-" << d.m << "-" << d.d);
        ExpectConvertError([&] { EncodeDate(d.y, d.m, d.d); }, "Invalid argument to date encode");
        TDateTime dt = 7;
        EXPECT_FALSE(TryEncodeDate(d.y, d.m, d.d, dt));
        EXPECT_EQ(dt, 7);
    }
    const int times[][4] = {{24, 0, 0, 0}, {0, 60, 0, 0}, {0, 0, 60, 0}, {0, 0, 0, 1000}, {-1, 0, 0, 0}};
    for (const auto& t : times) {
        ExpectConvertError([&] { EncodeTime(t[0], t[1], t[2], t[3]); }, "Invalid argument to time encode");
    }
    EXPECT_EQ(EncodeTime(12, 0, 0, 0), 0.5);
    EXPECT_EQ(EncodeTime(6, 0, 0, 0), 0.25);
    EXPECT_LT(EncodeTime(23, 59, 59, 999), 1.0);
}

TEST(DateTime, LeapYearsAndMonthLengths) {
    EXPECT_FALSE(IsLeapYear(1900));
    EXPECT_TRUE(IsLeapYear(2000));
    EXPECT_TRUE(IsLeapYear(2024));
    EXPECT_FALSE(IsLeapYear(2023));
    EXPECT_EQ(DaysInAMonth(2024, 2), 29);
    EXPECT_EQ(DaysInAMonth(2023, 2), 28);
    EXPECT_EQ(DaysInAMonth(2023, 4), 30);
    EXPECT_EQ(DaysInAMonth(2023, 13), 0);
    EXPECT_EQ(DaysInMonth(EncodeDate(2024, 2, 10)), 29);
}

TEST(DateTime, DecodeInvertsEncodeOverTheWholeRange) {
    for (int day = MinDateTimeDays; day <= MaxDateTimeDays; day += 37) {
        const TYmd d = Decoded(day);
        ASSERT_EQ(EncodeDate(d.y, d.m, d.d), day) << d.y << "-" << d.m << "-" << d.d;
    }
    const TYmd last = Decoded(MaxDateTimeDays);
    EXPECT_EQ(last.y, 9999);
    EXPECT_EQ(last.m, 12);
    EXPECT_EQ(last.d, 31);
}

TEST(DateTime, DecodeTimeRoundsToTheMillisecond) {
    uint16_t h, n, s, ms;
    DecodeTime(EncodeTime(23, 59, 59, 999), h, n, s, ms);
    EXPECT_EQ(h * 1000 + n * 100 + s * 10 + ms, 23000 + 5900 + 590 + 999);
    DecodeTime(0.5 + 1e-10, h, n, s, ms);
    EXPECT_EQ(h, 12);
    EXPECT_EQ(ms, 0);
    // Less than half a millisecond before midnight is the next day, 00:00.
    const TDateTime almost = EncodeDate(2023, 12, 31) + 1 - 1e-10;
    const TYmd d = Decoded(almost);
    EXPECT_EQ(d.y, 2024);
    EXPECT_EQ(d.m, 1);
    EXPECT_EQ(d.d, 1);
    DecodeTime(almost, h, n, s, ms);
    EXPECT_EQ(h + n + s + ms, 0);
}

TEST(DateTime, NegativeValuesCountTheTimeForwardFromMidnight) {
    const TDateTime dt = EncodeDateTime(1899, 12, 29, 6, 0, 0, 0);
    EXPECT_EQ(dt, -1.25);
    const TYmd d = Decoded(-1.25);
    EXPECT_EQ(d.y * 10000 + d.m * 100 + d.d, 18991229);
    uint16_t h, n, s, ms;
    DecodeTime(-1.25, h, n, s, ms);
    EXPECT_EQ(h, 6);
    EXPECT_EQ(DateOf(-1.25), -1);
    EXPECT_EQ(TimeOf(-1.25), 0.25);
}

TEST(DateTime, ValuesOutsideTheRangeDecodeAsZero) {
    for (TDateTime bad : {1e10, -1e10, std::nan(""), double(MaxDateTimeDays + 1)}) {
        const TYmd d = Decoded(bad);
        EXPECT_EQ(d.y + d.m + d.d, 0);
        EXPECT_EQ(DayOfWeek(bad), 0);
        EXPECT_EQ(DayOfTheWeek(bad), 0);
    }
}

TEST(DateTime, DaysOfTheWeek) {
    EXPECT_EQ(DayOfWeek(0), 7); // 30 December 1899 was a Saturday
    EXPECT_EQ(DayOfWeek(EncodeDate(2024, 3, 5)), 3);
    EXPECT_EQ(DayOfTheWeek(EncodeDate(2024, 3, 5)), 2);
    EXPECT_EQ(DayOfWeek(EncodeDate(2024, 3, 3)), 1);
    EXPECT_EQ(DayOfTheWeek(EncodeDate(2024, 3, 3)), 7);
    EXPECT_EQ(DayOfWeek(EncodeDate(1, 1, 1)), 2); // a Monday in the proleptic calendar
    EXPECT_EQ(DayOfWeek(-1.25), 6);
}

TEST(DateTime, InjectedClock) {
    test::TClockScope clock(EncodeDateTime(2025, 6, 1, 10, 30, 0, 0));
    EXPECT_EQ(Now(), EncodeDateTime(2025, 6, 1, 10, 30, 0, 0));
    EXPECT_EQ(Date(), EncodeDate(2025, 6, 1));
    EXPECT_EQ(Time(), EncodeTime(10, 30, 0, 0));
    EXPECT_EQ(CurrentYear(), 2025);
}

TEST(DateTime, SystemClockIsTheLocalWallClock) {
    const TDateTime now = Now();
    const std::time_t t = std::time(nullptr);
    std::tm lt{};
    localtime_r(&t, &lt);
    EXPECT_NEAR(now,
                EncodeDateTime(lt.tm_year + 1900, lt.tm_mon + 1, lt.tm_mday, lt.tm_hour, lt.tm_min,
                               lt.tm_sec > 59 ? 59 : lt.tm_sec, 0),
                5.0 / SecsPerDay);
}

TEST(DateTime, TwoDigitYearWindow) {
    test::TClockScope clock(EncodeDate(2025, 6, 1));
    const struct {
        int Window, YY, Expected;
    } cases[] = {
        {50, 30, 2030}, {50, 75, 1975}, {50, 74, 2074}, {50, 80, 1980}, {50, 0, 2000},
        {0, 99, 2099},  {0, 5, 2005},   {20, 4, 2104},  {20, 5, 2005},  {20, 99, 2099},
    };
    const int old = TwoDigitYearCenturyWindow;
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "window " << c.Window << ", yy " << c.YY);
        TwoDigitYearCenturyWindow = c.Window;
        EXPECT_EQ(ExpandTwoDigitYear(c.YY), c.Expected);
    }
    TwoDigitYearCenturyWindow = old;
}

TEST(DateTime, UnixTime) {
    EXPECT_EQ(UnixToDateTime(0), 25569);
    EXPECT_EQ(UnixToDateTime(129600), 25570.5);
    EXPECT_EQ(DateTimeToUnix(25569.5), 43200);
    EXPECT_EQ(DateTimeToUnix(EncodeDateTime(2024, 3, 5, 14, 7, 9, 0)), 1709647629);
    EXPECT_EQ(UnixToDateTime(1709647629), EncodeDateTime(2024, 3, 5, 14, 7, 9, 0));
    EXPECT_EQ(DateTimeToUnix(EncodeDateTime(2024, 3, 5, 14, 7, 9, 600)), 1709647630);
    // Before 1899-12-30 the time of day still counts forward.
    const int64_t u = int64_t{-25570} * SecsPerDay + 6 * 3600;
    EXPECT_EQ(DateTimeToUnix(-1.25), u);
    EXPECT_EQ(UnixToDateTime(u), -1.25);
    EXPECT_EQ(UnixToDateTime(-1), 25568 + 86399.0 / SecsPerDay);
}
