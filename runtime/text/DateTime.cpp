#include "runtime/text/DateTime.h"

#include <QDate>
#include <QTime>

#include <charconv>

namespace cdz {

namespace {

// Days since 1 January 1970 of a proleptic Gregorian date (month 1..12); exact for any year
// the roll-over below can produce.
constexpr int64_t daysFromCivil(int64_t y, int64_t m, int64_t d) {
    y -= m <= 2 ? 1 : 0;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yoe = y - era * 400;
    const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

constexpr Ymd civilFromDays(int64_t z) {
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    const int64_t d = doy - (153 * mp + 2) / 5 + 1;
    const int64_t m = mp < 10 ? mp + 3 : mp - 9;
    const int64_t y = yoe + era * 400 + (m <= 2 ? 1 : 0);
    return Ymd{static_cast<int>(y), static_cast<int>(m), static_cast<int>(d)};
}

// Day 4 is 1 January 1801.
constexpr int64_t kEpochOffset = daysFromCivil(1801, 1, 1) - kFirstDay;
constexpr int32_t kLastDay = static_cast<int32_t>(daysFromCivil(9999, 12, 31) - kEpochOffset);

// Floor division, so that month 0 and negative months roll back into earlier years.
constexpr int64_t floorDiv(int64_t a, int64_t b) {
    return a / b - ((a % b != 0 && (a < 0) != (b < 0)) ? 1 : 0);
}

// The number of `digits` digits at `at` of the date; 0 when they are not all there.
int datePart(std::string_view date, size_t at, size_t digits) {
    if (date.size() < at + digits) return 0;
    int value = 0;
    const char* begin = date.data() + at;
    const auto [end, error] = std::from_chars(begin, begin + digits, value);
    return error == std::errc() && end == begin + digits ? value : 0;
}

}  // namespace

int32_t lastDay() {
    return kLastDay;
}

bool isLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(int year, int month) {
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    return month == 2 && isLeapYear(year) ? 29 : kDays[month - 1];
}

int32_t dateFromYmd(int year, int month, int day) {
    const int64_t months = static_cast<int64_t>(year) * 12 + (static_cast<int64_t>(month) - 1);
    const int64_t y = floorDiv(months, 12);
    const int64_t m = months - y * 12 + 1;
    // Years far outside the range would only overflow the arithmetic; they are invalid anyway.
    if (y < 1700 || y > 10100) return 0;
    const int64_t n = daysFromCivil(y, m, 1) + (static_cast<int64_t>(day) - 1) - kEpochOffset;
    if (n < kFirstDay || n > kLastDay) return 0;
    return static_cast<int32_t>(n);
}

Ymd ymdFromDate(int32_t day) {
    if (day < kFirstDay || day > kLastDay) return {};
    return civilFromDays(static_cast<int64_t>(day) + kEpochOffset);
}

int dayOfWeek(int32_t day) {
    // Day 4 (1 January 1801) was a Thursday, so day 0 was a Sunday.
    const int r = day % 7;
    return r < 0 ? r + 7 : r;
}

int32_t today() {
    const QDate d = QDate::currentDate();
    return dateFromYmd(d.year(), d.month(), d.day());
}

int32_t clockTime() {
    return QTime::currentTime().msecsSinceStartOfDay() / 10 + kTimeZero;
}

Ymd ymdOfIsoDate(std::string_view date) {
    Ymd ymd;
    ymd.year = datePart(date, 0, 4);
    if (ymd.year > 0 && date.size() >= 7 && date[4] == '-') ymd.month = datePart(date, 5, 2);
    if (ymd.month > 0 && date.size() >= 10 && date[7] == '-') ymd.day = datePart(date, 8, 2);
    return ymd;
}

int32_t dayOfIsoDate(std::string_view date) {
    Ymd ymd = ymdOfIsoDate(date);
    if (ymd.year <= 0) return 0;
    if (ymd.month < 1 || ymd.month > 12) ymd.month = 1;
    if (ymd.day < 1 || ymd.day > daysInMonth(ymd.year, ymd.month)) ymd.day = 1;
    return dateFromYmd(ymd.year, ymd.month, ymd.day);
}

}  // namespace cdz
