#include "app/core/frame/ProcedureNames.h"
#include "app/reports/ReportSets.h"

namespace cdz {

void addAlbumReports(std::vector<ReportDefinition>& all) {
    (void)all;
}

}  // namespace cdz
