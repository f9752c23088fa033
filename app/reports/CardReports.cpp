#include "app/core/frame/ProcedureNames.h"
#include "app/reports/ReportSets.h"

namespace cdz {

void addCardReports(std::vector<ReportDefinition>& all) {
    (void)all;
}

}  // namespace cdz
