#include "app/reports/ReportCatalogue.h"

#include "app/core/frame/ProcedureNames.h"
#include "runtime/text/Unicode.h"

namespace cdz {
namespace {

using F = CatalogueFile;

const ReportJoin kSongCategory{F::Categories, {{"MUS:CategoryID", "CAT:CategoryID"}}};

ReportColumn col(std::string caption, std::string label, int weight, std::string picture = {},
                 TextAlign align = TextAlign::Left) {
    return ReportColumn{std::move(caption), std::move(label), weight, std::move(picture), align};
}

// The nine columns of the full song lists, the order field first.
std::vector<ReportColumn> songColumns(std::vector<ReportColumn> lead) {
    std::vector<ReportColumn> c = std::move(lead);
    c.push_back(col("Media", "MUS:Media", 10));
    c.push_back(col("Category", "CAT:Category", 12));
    c.push_back(col("Track", "MUS:TrackNumber", 6, "@n3b", TextAlign::Right));
    c.push_back(col("Chart", "MUS:ChartNumber", 6, "@n3b", TextAlign::Right));
    c.push_back(col("File Number", "MUS:FileNumber", 12));
    c.push_back(col("Release Date", "MUS:ReleaseDate", 13, "@d2"));
    return c;
}

std::vector<ReportDefinition> build() {
    std::vector<ReportDefinition> all;
    {
        ReportDefinition d;
        d.procedure = proc::kSongsByArtist;
        d.title = "Songs by Artist";
        d.file = F::Cadenzio;
        d.orderKey = "MUS:SongsByArtist";
        d.joins = {kSongCategory};
        d.columns = songColumns({col("Artist", "MUS:Artist", 17), col("Title", "MUS:Title", 19),
                                 col("Album", "MUS:Album", 16)});
        d.detailPoints = 8;
        d.kind = ReportKind::Criteria;
        d.criteriaNoun = "artists";
        d.selectedField = "MUS:Artist";
        d.fontsKey = "PrintMUS:SongsByArtist";
        d.briefTwin = "BRIEFMUS:SONGSBYARTIST";
        d.skipMarked = true;
        all.push_back(d);
        d.procedure = d.briefTwin;
        d.briefTwin.clear();
        d.fontsKey = "BriefMUS:SongsByArtist";
        d.detailPoints = 9;
        d.columns = {col("Time", "MUS:Time", 6, "@t4b", TextAlign::Right),
                     col("File Number", "MUS:FileNumber", 10), col("Artist", "MUS:Artist", 20),
                     col("Title", "MUS:Title", 20), col("Album", "MUS:Album", 18)};
        all.push_back(d);
    }
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
