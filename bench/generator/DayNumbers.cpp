#include "bench/generator/DayNumbers.h"

namespace cdz::gen {

namespace {

// Days since 1 March of year 0 in the proleptic Gregorian calendar; eras of 400 years keep
// every division on non-negative numbers for the years the program knows.
int64_t daysSinceEpoch(int64_t y, int m, int d) {
    y -= m <= 2 ? 1 : 0;
    const int64_t era = y / 400;
    const int64_t yoe = y - era * 400;
    const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe;
}

const int64_t kFirstOfJanuary1801 = daysSinceEpoch(1801, 1, 1);

}  // namespace

int32_t dayFromCivil(int year, int month, int day) {
    return static_cast<int32_t>(daysSinceEpoch(year, month, day) - kFirstOfJanuary1801 + 4);
}

CivilDate civilFromDay(int32_t dayNumber) {
    const int64_t z = dayNumber - 4 + kFirstOfJanuary1801;
    const int64_t era = z / 146097;
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    const int d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    const int m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    const int y = static_cast<int>(yoe + era * 400 + (m <= 2 ? 1 : 0));
    return {y, m, d};
}

}  // namespace cdz::gen
