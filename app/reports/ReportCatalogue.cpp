#include "app/reports/ReportCatalogue.h"

#include "app/reports/ReportSets.h"
#include "runtime/text/Unicode.h"

namespace cdz {
namespace {

std::vector<ReportDefinition> build() {
    std::vector<ReportDefinition> all;
    addSongReports(all);
    addAlbumReports(all);
    addCardReports(all);
    addPlaylistReports(all);
    return all;
}

}  // namespace

const std::vector<ReportDefinition>& ReportCatalogue::all() {
    static const std::vector<ReportDefinition> reports = build();
    return reports;
}

const ReportDefinition* ReportCatalogue::find(std::string_view procedure) {
    const std::string wanted = simpleFoldCase(procedure);
    for (const ReportDefinition& d : all())
        if (simpleFoldCase(d.procedure) == wanted) return &d;
    return nullptr;
}

}  // namespace cdz
