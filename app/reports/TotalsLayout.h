#pragma once
// A list report that adds up its money columns and prints the sums under the last record. A
// money column is one whose field is a DECIMAL with places; the run hands its value over as
// the stored decimal's exact text (the column has no picture), so every sum is a whole number
// of cents, exact however large, and covers exactly the records printed. The layout prints
// those values and the sums grouped by thousands ("110,000.03").
#include <cstdint>
#include <string>
#include <vector>

#include "app/reports/ReportPager.h"

namespace cdz {

class TotalsLayout final : public ReportLayout {
public:
    static constexpr const char* kTotals = "Totals";

    TotalsLayout(const ReportDefinition& definition, PageList& pages, QSizeF paper,
                 std::string title, ReportLook look);

    bool add(const std::vector<std::string>& values) override;
    // Prints the totals after the last record, then ends the page. No records, no totals.
    bool finish() override;
    bool pageHasContent() const override { return pager_.pageHasContent(); }

    // The places of each column's field when it is a money column, -1 for the others.
    static std::vector<int> moneyPlaces(const ReportDefinition& definition);
    // A scaled decimal with `places` places as printed: "-1,234.50", "0.05".
    static std::string grouped(int64_t raw, int places);

private:
    ReportPager pager_;
    std::vector<int> places_;
    std::vector<int64_t> sums_;
    std::vector<bool> unreadable_;  // a value that was not a decimal: no sum is printed
    int64_t records_ = 0;
};

}  // namespace cdz
