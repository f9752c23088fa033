#include "runtime/text/DateTime.h"

#include <QDate>
#include <QTime>

#include <gtest/gtest.h>

namespace cdz {
namespace {

struct YmdCase {
    int year, month, day;
    int32_t expected;  // day numbers counted independently from 1 January 1801 = 4
};

TEST(DateTime, DayNumbersAcrossTheRange) {
    const YmdCase cases[] = {
        {1801, 1, 1, 4},         {1801, 12, 31, 368},  {1900, 2, 28, 36221}, {1900, 3, 1, 36222},
        {1959, 10, 31, 58015},   {2000, 2, 29, 72746}, {2000, 3, 1, 72747},  {2400, 2, 29, 218843},
        {9999, 12, 31, 2994626}, {1800, 12, 31, 0},    {10000, 1, 1, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.year << "-" << c.month << "-" << c.day);
        EXPECT_EQ(dateFromYmd(c.year, c.month, c.day), c.expected);
        if (c.expected != 0) {
            const Ymd back = ymdFromDate(c.expected);
            EXPECT_EQ(back.year, c.year);
            EXPECT_EQ(back.month, c.month);
            EXPECT_EQ(back.day, c.day);
        }
    }
    EXPECT_EQ(lastDay(), 2994626);
}

TEST(DateTime, EveryDayFollowsThePreviousOne) {
    Ymd prev = ymdFromDate(kFirstDay);
    for (int32_t d = kFirstDay + 1; d <= lastDay(); ++d) {
        const Ymd cur = ymdFromDate(d);
        Ymd next = prev;
        if (++next.day > daysInMonth(next.year, next.month)) {
            next.day = 1;
            if (++next.month > 12) {
                next.month = 1;
                ++next.year;
            }
        }
        ASSERT_TRUE(cur.year == next.year && cur.month == next.month && cur.day == next.day)
            << "day " << d;
        prev = cur;
    }
}

TEST(DateTime, OutOfRangeDayNumbersHaveNoDate) {
    for (int32_t d : {0, 3, -1, lastDay() + 1, INT32_MAX, INT32_MIN}) {
        const Ymd y = ymdFromDate(d);
        EXPECT_EQ(y.year, 0) << d;
        EXPECT_EQ(y.month, 0) << d;
    }
}

TEST(DateTime, LeapYearsAndMonthLengths) {
    EXPECT_FALSE(isLeapYear(1900));
    EXPECT_TRUE(isLeapYear(2000));
    EXPECT_TRUE(isLeapYear(2400));
    EXPECT_FALSE(isLeapYear(2100));
    EXPECT_TRUE(isLeapYear(1804));
    EXPECT_EQ(daysInMonth(1900, 2), 28);
    EXPECT_EQ(daysInMonth(2000, 2), 29);
    EXPECT_EQ(daysInMonth(1959, 4), 30);
    EXPECT_EQ(daysInMonth(1959, 0), 0);
    EXPECT_EQ(daysInMonth(1959, 13), 0);
}

TEST(DateTime, MonthAndDayRollOver) {
    struct Case {
        int y, m, d;
        int ey, em, ed;
    } const cases[] = {
        {1959, 13, 1, 1960, 1, 1}, {1960, 0, 1, 1959, 12, 1},        {1960, 3, 0, 1960, 2, 29},
        {1959, 1, 32, 1959, 2, 1}, {1959, -1, 1, 1958, 11, 1},       {2000, 1, -30, 1999, 12, 1},
        {1959, 25, 1, 1961, 1, 1}, {1801, 1, 2994623, 9999, 12, 31},
    };
    for (const auto& c : cases)
        EXPECT_EQ(dateFromYmd(c.y, c.m, c.d), dateFromYmd(c.ey, c.em, c.ed))
            << c.y << "-" << c.m << "-" << c.d;
    // Rolling out of the range gives no date instead of wrapping.
    EXPECT_EQ(dateFromYmd(1801, 1, 0), 0);
    EXPECT_EQ(dateFromYmd(9999, 13, 1), 0);
    EXPECT_EQ(dateFromYmd(INT32_MAX, INT32_MAX, INT32_MAX), 0);
    EXPECT_EQ(dateFromYmd(INT32_MIN, INT32_MIN, INT32_MIN), 0);
}

TEST(DateTime, DayOfWeek) {
    EXPECT_EQ(dayOfWeek(dateFromYmd(1801, 1, 1)), 4);    // Thursday
    EXPECT_EQ(dayOfWeek(dateFromYmd(1959, 10, 31)), 6);  // Saturday
    EXPECT_EQ(dayOfWeek(dateFromYmd(2024, 6, 2)), 0);    // Sunday
}

TEST(DateTime, TodayAndClock) {
    const QDate before = QDate::currentDate();
    const Ymd t = ymdFromDate(today());
    const QDate after = QDate::currentDate();
    // Midnight may pass between the readings.
    const auto same = [&t](const QDate& q) {
        return t.year == q.year() && t.month == q.month() && t.day == q.day();
    };
    EXPECT_TRUE(same(before) || same(after));
    const int32_t c = clockTime();
    EXPECT_GE(c, kTimeZero);
    EXPECT_LE(c, timeFromHms(23, 59, 59, 99));
    EXPECT_EQ(timeFromHms(0, 80, 0), 480001);
    EXPECT_EQ(timeFromHms(1, 20, 0), 480001);
}

}  // namespace
}  // namespace cdz
