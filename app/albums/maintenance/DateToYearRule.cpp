#include "app/albums/maintenance/DateToYearRule.h"

#include "runtime/text/DateTime.h"

namespace cdz {

namespace {
// Every real day number lies above it, and every plausible year below it.
constexpr int32_t kHighestYear = 3000;
}  // namespace

int32_t dateToYear(int32_t value) {
    if (value <= kHighestYear) return value;
    const int year = ymdFromDate(value).year;
    return year > 0 ? year : value;
}

MaintenanceFault DateToYearRule::apply(bool& changed, MaintenanceTally&) {
    const int32_t year = dateToYear(date_);
    changed = year != date_;
    date_ = year;
    return {};
}

}  // namespace cdz
