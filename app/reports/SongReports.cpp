#include "app/core/frame/ProcedureNames.h"
#include "app/reports/ReportSets.h"

namespace cdz {
namespace {

using F = CatalogueFile;

const ReportJoin kSongCategory{F::Categories, {{"MUS:CategoryID", "CAT:CategoryID"}}};

// The nine columns of the full song lists, the order field first.
std::vector<ReportColumn> songColumns(std::vector<ReportColumn> lead) {
    std::vector<ReportColumn> c = std::move(lead);
    c.push_back(reportColumn("Media", "MUS:Media", 10));
    c.push_back(reportColumn("Category", "CAT:Category", 12));
    c.push_back(reportColumn("Track", "MUS:TrackNumber", 6, "@n3b", TextAlign::Right));
    c.push_back(reportColumn("Chart", "MUS:ChartNumber", 6, "@n3b", TextAlign::Right));
    c.push_back(reportColumn("File Number", "MUS:FileNumber", 12));
    c.push_back(reportColumn("Release Date", "MUS:ReleaseDate", 13, "@d2"));
    return c;
}

void addSongs(std::vector<ReportDefinition>& all) {
    {
        ReportDefinition d;
        d.procedure = proc::kSongsByArtist;
        d.title = "Songs by Artist";
        d.file = F::Cadenzio;
        d.orderKey = "MUS:SongsByArtist";
        d.joins = {kSongCategory};
        d.columns = songColumns({reportColumn("Artist", "MUS:Artist", 17),
                                 reportColumn("Title", "MUS:Title", 19),
                                 reportColumn("Album", "MUS:Album", 16)});
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
        d.columns = {reportColumn("Time", "MUS:Time", 6, "@t4b", TextAlign::Right),
                     reportColumn("File Number", "MUS:FileNumber", 10),
                     reportColumn("Artist", "MUS:Artist", 20),
                     reportColumn("Title", "MUS:Title", 20),
                     reportColumn("Album", "MUS:Album", 18)};
        all.push_back(d);
    }
}

}  // namespace

void addSongReports(std::vector<ReportDefinition>& all) {
    addSongs(all);
}

}  // namespace cdz
