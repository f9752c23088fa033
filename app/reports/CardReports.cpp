#include "app/engine/state/AppState.h"
#include "app/engine/state/ProcedureNames.h"
#include "app/reports/MediaNames.h"
#include "app/reports/ReportFieldSets.h"
#include "app/reports/ReportSets.h"

namespace cdz {
namespace {

using F = CatalogueFile;

const ReportJoin kSongCategory{F::Categories, {{"MUS:CategoryID", "CAT:CategoryID"}}};
const ReportJoin kAlbumCategory{F::Categories, {{"ALB:CategoryID", "CAT:CategoryID"}}};

std::string albumFields(AppState& state) {
    return ReportFieldSets::albums(MediaNames::read(state.catalogue()), false);
}

std::string albumFieldsWithCategory(AppState& state) {
    return ReportFieldSets::albums(MediaNames::read(state.catalogue()), true);
}

std::string songFields(AppState&) {
    return ReportFieldSets::songs();
}

ReportColumn card(const char* caption, const char* label, const char* picture = "") {
    return reportColumn(caption, label, 10, picture);
}

// On a rotary card: set at the right end of the line before.
ReportColumn atRight(const char* label, const char* picture = "") {
    return reportColumn("", label, 6, picture, TextAlign::Right);
}

ReportDefinition cards(const char* procedure, const char* title, F file, const char* key,
                       ReportShape shape) {
    ReportDefinition d;
    d.procedure = procedure;
    d.title = title;
    d.file = file;
    d.orderKey = key;
    d.kind = ReportKind::Query;
    d.queryClass = procedure;
    d.shape = shape;
    d.detailPoints = 10;
    if (file == F::Cadenzio) {
        d.joins = {kSongCategory};
        d.queryFields = &songFields;
    } else if (shape == ReportShape::RotaryCard) {
        d.joins = {kAlbumCategory};
        d.queryFields = &albumFieldsWithCategory;
    } else {
        d.queryFields = &albumFields;
    }
    return d;
}

void addIndexCards(std::vector<ReportDefinition>& all) {
    constexpr auto shape = ReportShape::IndexCard;
    ReportDefinition d = cards(proc::kIndexAlbumsByTitle, "Album Index Cards by Title", F::Album,
                               "ALB:KeyAlbum", shape);
    d.columns = {card("Title:", "ALB:Album"),
                 card("Artist:", "ALB:Artist"),
                 card("FileNum:", "ALB:FileNumber"),
                 card("RelDate:", "ALB:ReleaseDate", "@d2"),
                 card("Media:", "ALB:Media"),
                 card("Time:", "ALB:TotalTime", "@t4"),
                 card("WaveFile:", "ALB:AssociatedWAVFile"),
                 card("Rating:", "ALB:Rating"),
                 card("PurPrice:", "ALB:PurPrice", "@n-10.2"),
                 card("PurDate:", "ALB:PurchaseDate", "@d2")};
    all.push_back(d);

    d = cards(proc::kIndexAlbumsByArtist, "Album Index Cards by Artist", F::Album, "ALB:KeyArtist",
              shape);
    d.columns = {card("Artist:", "ALB:Artist"),
                 card("Album:", "ALB:Album"),
                 card("Time:", "ALB:TotalTime", "@t4"),
                 card("RelDate:", "ALB:ReleaseDate", "@d2"),
                 card("Media:", "ALB:Media"),
                 card("FileNum:", "ALB:FileNumber"),
                 card("WaveFile:", "ALB:AssociatedWAVFile"),
                 card("Rating:", "ALB:Rating"),
                 card("PurPrice:", "ALB:PurPrice", "@n-10.2")};
    all.push_back(d);

    d = cards(proc::kIndexSongsByTitle, "Song Index Cards by Title", F::Cadenzio,
              "MUS:SongsByTitle", shape);
    d.columns = {card("Title:", "MUS:Title"),        card("Artist:", "MUS:Artist"),
                 card("Album:", "MUS:Album"),        card("Media:", "MUS:Media"),
                 card("FileNum:", "MUS:FileNumber"), card("RelDate:", "MUS:ReleaseDate", "@d2"),
                 card("Side:", "MUS:Side"),          card("Track#:", "MUS:TrackNumber", "@n3b"),
                 card("Time:", "MUS:Time", "@t4"),   card("Rating:", "MUS:Rating")};
    all.push_back(d);

    d = cards(proc::kIndexSongsByArtist, "Song Index Cards by Artist", F::Cadenzio,
              "MUS:SongsByArtist", shape);
    d.columns = {card("Artist:", "MUS:Artist"),
                 card("Title:", "MUS:Title"),
                 card("Album:", "MUS:Album"),
                 card("Media:", "MUS:Media"),
                 card("FileNum:", "MUS:FileNumber"),
                 card("RelDate:", "MUS:ReleaseDate", "@d2"),
                 card("Rating:", "MUS:Rating"),
                 card("Chart#:", "MUS:ChartNumber", "@n3b"),
                 card("Track#:", "MUS:TrackNumber", "@n3b"),
                 card("Side:", "MUS:Side"),
                 card("Time:", "MUS:Time", "@t4")};
    all.push_back(d);
}

void addRotaryCards(std::vector<ReportDefinition>& all) {
    constexpr auto shape = ReportShape::RotaryCard;
    // The order field first, then what finds the record on the shelf.
    const std::vector<ReportColumn> albumRest = {
        card("", "ALB:Media"), atRight("ALB:FileNumber"), card("", "ALB:ReleaseDate", "@d2"),
        atRight("ALB:TotalTime", "@t4"), card("", "CAT:Category")};
    ReportDefinition d = cards(proc::kRotaryAlbumsByTitle, "Album Rotary Cards by Title", F::Album,
                               "ALB:KeyAlbum", shape);
    d.columns = {card("", "ALB:Album"), card("", "ALB:Artist")};
    d.columns.insert(d.columns.end(), albumRest.begin(), albumRest.end());
    all.push_back(d);

    d = cards(proc::kRotaryAlbumsByArtist, "Album Rotary Cards by Artist", F::Album,
              "ALB:KeyArtist", shape);
    d.columns = {card("", "ALB:Artist"), card("", "ALB:Album")};
    d.columns.insert(d.columns.end(), albumRest.begin(), albumRest.end());
    all.push_back(d);

    const std::vector<ReportColumn> songRest = {card("", "MUS:Album"), card("", "MUS:Media"),
                                                atRight("MUS:FileNumber"), card("", "CAT:Category"),
                                                atRight("MUS:Time", "@t4")};
    d = cards(proc::kRotarySongsByTitle, "Song Rotary Cards by Title", F::Cadenzio,
              "MUS:SongsByTitle", shape);
    d.columns = {card("", "MUS:Title"), card("", "MUS:Artist")};
    d.columns.insert(d.columns.end(), songRest.begin(), songRest.end());
    all.push_back(d);

    d = cards(proc::kRotarySongsByArtist, "Song Rotary Cards by Artist", F::Cadenzio,
              "MUS:SongsByArtist", shape);
    d.columns = {card("", "MUS:Artist"), card("", "MUS:Title")};
    d.columns.insert(d.columns.end(), songRest.begin(), songRest.end());
    all.push_back(d);
}

}  // namespace

void addCardReports(std::vector<ReportDefinition>& all) {
    addIndexCards(all);
    addRotaryCards(all);
}

}  // namespace cdz
