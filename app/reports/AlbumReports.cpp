#include "app/engine/state/AppState.h"
#include "app/engine/state/ProcedureNames.h"
#include "app/reports/AlbumSongFilter.h"
#include "app/reports/MediaNames.h"
#include "app/reports/ReportFieldSets.h"
#include "app/reports/ReportSets.h"

namespace cdz {
namespace {

using F = CatalogueFile;

// The wizard's album fields, the Media choices being the media file's names as they are now.
std::string albumFields(AppState& state) {
    return ReportFieldSets::albums(MediaNames::read(state.catalogue()), false);
}

ReportDefinition albumQuery(const char* procedure, std::string title, std::string orderKey) {
    ReportDefinition d;
    d.procedure = procedure;
    d.title = std::move(title);
    d.file = F::Album;
    d.orderKey = std::move(orderKey);
    d.kind = ReportKind::Query;
    d.queryClass = procedure;
    d.queryFields = &albumFields;
    return d;
}

// The album lists: the order field first, then the rest as the album file keeps them.
void addAlbumLists(std::vector<ReportDefinition>& all) {
    const ReportColumn artist = reportColumn("Artist", "ALB:Artist", 18);
    const ReportColumn album = reportColumn("Album", "ALB:Album", 20);
    const std::vector<ReportColumn> rest = {
        reportColumn("Media", "ALB:Media", 14),
        reportColumn("File Number", "ALB:FileNumber", 13),
        reportColumn("Release Date", "ALB:ReleaseDate", 14, "@d2"),
        reportColumn("Associated WAV File", "ALB:AssociatedWAVFile", 21),
    };
    ReportDefinition byArtist =
        albumQuery(proc::kAlbumsByArtist, "Albums by Artist", "ALB:KeyArtist");
    byArtist.columns = {artist, album};
    byArtist.columns.insert(byArtist.columns.end(), rest.begin(), rest.end());
    all.push_back(byArtist);

    ReportDefinition byTitle = albumQuery(proc::kAlbumsByTitle, "Albums", "ALB:KeyAlbum");
    byTitle.columns = {album, artist};
    byTitle.columns.insert(byTitle.columns.end(), rest.begin(), rest.end());
    all.push_back(byTitle);
}

// The money columns have no picture: the totals layout takes the stored decimals as they are
// and prints them itself.
void addValuation(std::vector<ReportDefinition>& all) {
    ReportDefinition d =
        albumQuery(proc::kAlbumValuation, "Orvanta Valuation Report", "ALB:KeyAlbum");
    d.shape = ReportShape::Totals;
    d.columns = {
        reportColumn("Title", "ALB:Album", 27),
        reportColumn("Value", "ALB:Value", 12, {}, TextAlign::Right),
        reportColumn("PurDate", "ALB:PurchaseDate", 13, "@d2", TextAlign::Center),
        reportColumn("Media Type", "ALB:Media", 18),
        reportColumn("File Number", "ALB:FileNumber", 14),
        reportColumn("Price", "ALB:PurPrice", 11, {}, TextAlign::Right),
    };
    all.push_back(d);
}

// The songs of the album the album browse highlights, started by its Print button.
void addOneAlbum(std::vector<ReportDefinition>& all) {
    ReportDefinition d;
    d.procedure = AlbumSongFilter::kProcedure;
    d.title = "Songs by Album";
    d.file = F::Cadenzio;
    d.orderKey = "MUS:SongsByAlbum";
    d.kind = ReportKind::Fixed;
    d.prepare = &AlbumSongFilter::prepare;
    d.columns = {reportColumn("Album", "MUS:Album", 26), reportColumn("Title", "MUS:Title", 30),
                 reportColumn("Artist", "MUS:Artist", 26), reportColumn("Media", "MUS:Media", 14)};
    all.push_back(d);
}

}  // namespace

void addAlbumReports(std::vector<ReportDefinition>& all) {
    addAlbumLists(all);
    addValuation(all);
    addOneAlbum(all);
}

}  // namespace cdz
