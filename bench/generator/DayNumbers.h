#pragma once
// Calendar dates as the program's day numbers (day 4 is 1 January 1801), kept here so the
// generator stands alone; integer arithmetic only.
#include <cstdint>

namespace cdz::gen {

struct CivilDate {
    int year = 0;
    int month = 0;  // 1..12
    int day = 0;    // 1..31
};

// Day number of a valid Gregorian date.
int32_t dayFromCivil(int year, int month, int day);
// The date of a day number (any value that dayFromCivil can produce).
CivilDate civilFromDay(int32_t dayNumber);

}  // namespace cdz::gen
