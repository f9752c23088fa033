#include "app/core/AppState.h"
#include "app/core/frame/ProcedureNames.h"
#include "app/reports/ReportFieldSets.h"
#include "app/reports/ReportRecords.h"
#include "app/reports/ReportSets.h"
#include "runtime/text/DateTime.h"
#include "runtime/text/Text.h"

namespace cdz {
namespace {

// A release value below 3000 is a year stored on its own, printed as it is; a date prints its
// year; none prints " --".
std::string releaseYear(const ReportRecords& records) {
    constexpr int kLastBareYear = 2999;
    const std::string text = records.text("MUS:ReleaseDate");
    const long value = text.empty() ? 0 : std::strtol(text.c_str(), nullptr, 10);
    if (value == 0) return " --";
    if (value <= kLastBareYear) return std::to_string(value);
    const Ymd ymd = ymdFromDate(static_cast<int32_t>(value));
    return ymd.year ? std::to_string(ymd.year) : " --";
}

std::string notesCaption(AppState& state) {
    const std::string caption(clip(state.settings().notesLabel));
    return caption.empty() ? "Notes" : caption;
}

std::string songFields(AppState&) {
    return ReportFieldSets::songs();
}

ReportDefinition djLog() {
    ReportDefinition d;
    d.procedure = proc::kDjLog;
    d.title = "DJ LOG";
    d.file = CatalogueFile::Cadenzio;
    d.orderKey = "MUS:SongsByMedia";
    d.joins = {{CatalogueFile::Categories, {{"MUS:CategoryID", "CAT:CategoryID"}}}};
    d.kind = ReportKind::Query;
    d.queryClass = proc::kDjLog;
    d.queryFields = &songFields;
    d.fontsKey = "PrintDJList";
    d.detailPoints = 8;
    ReportColumn year = reportColumn("Year", "MUS:ReleaseDate", 6);
    year.compute = &releaseYear;
    ReportColumn notes = reportColumn("Notes", "MUS:UserDefinedKeyField", 16);
    notes.captionOf = &notesCaption;
    d.columns = {reportColumn("Artist", "MUS:Artist", 18),
                 reportColumn("Title", "MUS:Title", 18),
                 reportColumn("Category", "CAT:Category", 12),
                 reportColumn("Album", "MUS:Album", 16),
                 year,
                 reportColumn("File Number", "MUS:FileNumber", 12),
                 notes};
    return d;
}

}  // namespace

void addPlaylistReports(std::vector<ReportDefinition>& all) {
    all.push_back(djLog());
}

}  // namespace cdz
