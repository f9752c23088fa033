#pragma once
// Release dates kept as years only: a date (any value above 3000, a day number) becomes the
// number of its year; a value of 3000 or less is taken to be a year already and stays.
#include <cstdint>

#include "app/albums/maintenance/MaintenanceRule.h"

namespace cdz {

// The year of a date value, or the value itself when it is a year already (or no real day).
int32_t dateToYear(int32_t value);

class DateToYearRule final : public MaintenanceRule {
public:
    // `date` is the release date in the walked file's buffer.
    explicit DateToYearRule(int32_t& date) : date_(date) {}
    MaintenanceFault apply(bool& changed, MaintenanceTally& tally) override;

private:
    int32_t& date_;
};

}  // namespace cdz
