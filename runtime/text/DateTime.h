#pragma once
// Dates are day numbers, day 4 being 1 January 1801 (so every real date is above 3000 and a
// bare year stays below it). Times are hundredths of a second plus 1: 1 is midnight / zero,
// 80 minutes is 480001; 0 means "no time".
#include <cstdint>
#include <string_view>

namespace cdz {

struct Ymd {
    int year = 0;
    int month = 0;  // 1..12
    int day = 0;    // 1..31
};

// Valid range of the runtime: 1 January 1801 to 31 December 9999.
constexpr int32_t kFirstDay = 4;
// A date value from 1 to this is a bare year (a release known only by its year), never a day:
// it shows, reads and compares as the year.
constexpr int32_t kLastBareYear = 2999;
int32_t lastDay();

bool isLeapYear(int year);
int daysInMonth(int year, int month);
// Day number of a calendar date; month and day out of range roll over as the runtime's DATE()
// does (month 13 is January of the next year, day 0 the last day of the previous month).
// Returns 0 for a result before the first day or after the last.
int32_t dateFromYmd(int year, int month, int day);
// Calendar date of a day number; {0,0,0} for a day outside the valid range.
Ymd ymdFromDate(int32_t day);
// The parts of a date written "yyyy-mm-dd", "yyyy-mm" or "yyyy" as online catalogues give
// it, each 0 where it is not there as digits.
Ymd ymdOfIsoDate(std::string_view date);
// The day such a date names, the 1st of its month or year for a part missing or out of range
// ("1997-05-00" is 1 May, "1997" 1 January); 0 without a year.
int32_t dayOfIsoDate(std::string_view date);
// 0 Sunday .. 6 Saturday.
int dayOfWeek(int32_t day);
// Today's day number by the local clock.
int32_t today();

// Time values.
constexpr int32_t kTimeZero = 1;
inline int32_t timeFromHms(int h, int m, int s, int hundredths = 0) {
    return ((h * 60 + m) * 60 + s) * 100 + hundredths + 1;
}
// Current local time of day.
int32_t clockTime();

}  // namespace cdz
