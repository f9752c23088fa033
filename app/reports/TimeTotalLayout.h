#pragma once
// A list report that adds up the playing times of the songs it prints and prints "Total Time"
// under the last line. The time column's field is MUS:Time; the run hands its value over
// as stored (the column has no picture), so the total is the exact sum of the lengths, each
// time value being hundredths of a second plus one and 0 meaning none: a line whose song is
// gone prints no time and adds nothing.
#include <cstdint>
#include <string>

#include "app/reports/ReportPager.h"

namespace cdz {

class TimeTotalLayout final : public ReportLayout {
public:
    static constexpr const char* kTotalTime = "Total Time";
    static constexpr const char* kTimeLabel = "MUS:Time";
    static constexpr const char* kTimePicture = "@t4";

    TimeTotalLayout(const ReportDefinition& definition, PageList& pages, QSizeF paper,
                    std::string title, ReportLook look);

    bool add(const std::vector<std::string>& values) override;
    // Prints the total after the last line, then ends the page. No lines, no total.
    bool finish() override;
    bool pageHasContent() const override { return pager_.pageHasContent(); }

    // A stored time value as printed; "" for none.
    static std::string shown(int64_t time);

private:
    ReportPager pager_;
    size_t columns_ = 0;
    int column_ = -1;  // the time column
    int64_t hundredths_ = 0;
    int64_t lines_ = 0;
};

}  // namespace cdz
