#include "app/engine/state/AppState.h"
#include "app/engine/state/ProcedureNames.h"
#include "app/reports/PlaylistReportSubject.h"
#include "app/reports/ReportFieldSets.h"
#include "app/reports/ReportRecords.h"
#include "app/reports/ReportSets.h"
#include "app/reports/TimeTotalLayout.h"
#include "runtime/text/DateTime.h"
#include "runtime/text/Text.h"

namespace cdz {
namespace {

// A release value below 3000 is a year stored on its own, printed as it is; a date prints its
// year; none prints " --".
std::string releaseYear(const ReportRecords& records, const ReportColumn&) {
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

std::string udkCaption(AppState& state) {
    return state.settings().udkPrompt;
}

// A bare year prints as the year; a date in the user's date picture; none prints nothing.
std::string releaseDate(const ReportRecords& records, const ReportColumn& column) {
    constexpr int kLastBareYear = 2999;
    const std::string text = records.text(column.label);
    const long value = text.empty() ? 0 : std::strtol(text.c_str(), nullptr, 10);
    if (value <= 0) return {};
    if (value <= kLastBareYear) return std::to_string(value);
    return records.text(column.label, column.picture);
}

// Last week's position: the number after the last "LW:" the chart copy wrote into the note,
// "--" when there is none.
std::string lastWeek(const ReportRecords& records, const ReportColumn& column) {
    const std::string note = records.text(column.label);
    const size_t at = note.rfind("LW:");
    if (at == std::string::npos) return "--";
    std::string position;
    for (size_t i = at + 3; i < note.size() && note[i] != ' '; ++i) position += note[i];
    return position.empty() ? "--" : position;
}

const std::vector<ReportJoin> kEntryJoins = {
    {CatalogueFile::Cadenzio, {{"PLA:ID", "MUS:ID"}}},
    {CatalogueFile::Categories, {{"MUS:CategoryID", "CAT:CategoryID"}}},
};

ReportDefinition playlistPrintout() {
    ReportDefinition d;
    d.procedure = proc::kPlaylistPrint;
    d.title = "Playlist";
    d.file = CatalogueFile::PlaylistDetails;
    d.orderKey = "PLA:KeyPlaylistID";
    d.joins = kEntryJoins;
    d.kind = ReportKind::Fixed;
    d.prepare = &PlaylistReportSubject::preparePrintout;
    d.fontsKey = "PrintPlaylist";
    d.shape = ReportShape::TimeTotal;
    d.detailPoints = 8;
    ReportColumn udk = reportColumn("User Defined Key", "MUS:UserDefinedKeyField", 10);
    udk.captionOf = &udkCaption;
    ReportColumn date = reportColumn("Date", "MUS:ReleaseDate", 10, "@d2");
    date.compute = &releaseDate;
    // The time goes to the layout as stored: it adds the lengths and prints them.
    d.columns = {reportColumn("Artist", "MUS:Artist", 14),
                 reportColumn("Title", "MUS:Title", 14),
                 reportColumn("Category", "CAT:Category", 10),
                 reportColumn("Album", "MUS:Album", 12),
                 udk,
                 date,
                 reportColumn("Time", TimeTotalLayout::kTimeLabel, 7, {}, TextAlign::Center),
                 reportColumn("File Number", "MUS:FileNumber", 12)};
    return d;
}

ReportDefinition chart() {
    ReportDefinition d;
    d.procedure = proc::kPlaylistTop40;
    d.title = "Top 40";
    d.file = CatalogueFile::PlaylistDetails;
    d.orderKey = "PLA:KeyPlaylistID";
    d.joins = kEntryJoins;
    d.kind = ReportKind::Fixed;
    d.prepare = &PlaylistReportSubject::prepareChart;
    d.beforePass = &PlaylistReportSubject::renumber;
    d.fontsKey = "PrintPlaylistTop40";
    d.shape = ReportShape::TimeTotal;
    ReportColumn lw = reportColumn("LW", "PLA:PlaylistNotes", 4, {}, TextAlign::Center);
    lw.compute = &lastWeek;
    d.columns = {reportColumn("Artist", "MUS:Artist", 20),
                 reportColumn("Title", "MUS:Title", 20),
                 reportColumn("Time", TimeTotalLayout::kTimeLabel, 6, {}, TextAlign::Right),
                 reportColumn("Trk", "MUS:TrackNumber", 4, "@n_2", TextAlign::Right),
                 reportColumn("TW", "PLA:PlaylistSeq", 4, "@n_3", TextAlign::Right),
                 lw,
                 reportColumn("File", "MUS:FileNumber", 12)};
    return d;
}

}  // namespace

void addPlaylistReports(std::vector<ReportDefinition>& all) {
    all.push_back(playlistPrintout());
    all.push_back(chart());
    all.push_back(djLog());
}

}  // namespace cdz
