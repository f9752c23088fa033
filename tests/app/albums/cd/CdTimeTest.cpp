// Drive lengths turned into time values, and time values shown as minutes and seconds.
#include <gtest/gtest.h>

#include "app/albums/cd/CdTime.h"
#include "runtime/text/DateTime.h"

namespace cdz {
namespace {

TEST(CdTime, DriveLengthsBecomeTimeValues) {
    const struct {
        const char* msf;
        int32_t time;
    } cases[] = {
        {"04:59:74", timeFromHms(0, 4, 59)},  // frames are dropped, not rounded
        {"75:00:00", timeFromHms(1, 15, 0)},
        {"59:59:74", timeFromHms(0, 59, 59)},
        {"00:60:00", timeFromHms(0, 1, 0)},  // 60 seconds carry into the minutes
        {"00:00:00", kTimeZero},
        {"03:25:10 trailing", timeFromHms(0, 3, 25)},
        // An error reply or anything else that is no length is no time.
        {"263", 0},
        {"", 0},
        {"ab:cd:ef", 0},
        {":12:00", 0},
        {"12:3", 0},
    };
    for (const auto& c : cases) EXPECT_EQ(MsfToTime(c.msf), c.time) << c.msf;
}

TEST(CdTime, TimeValuesShowAsMinutesAndSeconds) {
    const struct {
        int32_t time;
        const char* shown;
    } cases[] = {
        {0, "     "},
        {kTimeZero, " 0:00"},
        {timeFromHms(0, 3, 25), " 3:25"},
        {timeFromHms(1, 2, 10), "62:10"},
        {timeFromHms(0, 59, 59) + 99, "59:59"},  // hundredths are not shown
    };
    for (const auto& c : cases) EXPECT_EQ(TimeToMinSec(c.time), c.shown) << c.time;
}

}  // namespace
}  // namespace cdz
