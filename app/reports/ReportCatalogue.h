#pragma once
// The program's catalogue reports by procedure name: what each one reads, asks and prints.
#include <string_view>
#include <vector>

#include "app/reports/ReportDefinition.h"

namespace cdz {

class ReportCatalogue {
public:
    // Every report, in the order of the Reports menu.
    static const std::vector<ReportDefinition>& all();
    // The report with this procedure name (any case); null when there is none.
    static const ReportDefinition* find(std::string_view procedure);
};

}  // namespace cdz
