#include "app/engine/state/AppState.h"
#include "app/engine/state/ProcedureNames.h"
#include "app/reports/ReportJob.h"
#include "app/reports/ReportSets.h"
#include "runtime/text/Text.h"
#include "runtime/text/Unicode.h"

namespace cdz {
namespace {

using F = CatalogueFile;
using A = TextAlign;

// The name under which the category browse picks a category.
constexpr const char* kCategoryPicker = "BrowseCategories";

const ReportJoin kSongCategory{F::Categories, {{"MUS:CategoryID", "CAT:CategoryID"}}};

ReportColumn artist(int w = 16) {
    return reportColumn("Artist", "MUS:Artist", w);
}
ReportColumn title(int w = 16) {
    return reportColumn("Title", "MUS:Title", w);
}
ReportColumn album(int w = 15) {
    return reportColumn("Album", "MUS:Album", w);
}
ReportColumn media(int w = 9) {
    return reportColumn("Media", "MUS:Media", w);
}
ReportColumn fileNumber(int w = 13, const char* caption = "File Number") {
    return reportColumn(caption, "MUS:FileNumber", w);
}
ReportColumn releaseDate() {
    return reportColumn("Release Date", "MUS:ReleaseDate", 15, "@d2");
}
ReportColumn time() {
    return reportColumn("Time", "MUS:Time", 8, "@t4b", A::Right);
}
ReportColumn category() {
    return reportColumn("Category", "CAT:Category", 11);
}
ReportColumn track() {
    // Wide enough for its caption beside the tenth of an inch kept clear of the next column.
    return reportColumn("Track", "MUS:TrackNumber", 7, "@n3b", A::Right);
}
ReportColumn chart(const char* caption = "Chart") {
    return reportColumn(caption, "MUS:ChartNumber", 7, "@n3b", A::Right);
}

// The user's caption of the user-defined key; the settings' own defaults are no caption.
std::string userKeyCaption(AppState& state) {
    std::string caption(clip(state.settings().udkPrompt));
    if (caption.empty() || caption == Settings::kUdkPromptDefault ||
        caption == Settings::kUdkPromptUnread)
        return std::string(Settings::kUdkPromptDefault);
    return caption;
}

std::string userKeyTitle(AppState& state) {
    return "Songs by " + userKeyCaption(state);
}

std::string userKeyNoun(AppState& state) {
    return simpleFoldCase(userKeyCaption(state)) + "s";
}

// The category is picked with the category browse; the report keeps a copy of its number and
// name, so that the browse moving on does not change what is printed.
bool byCategory(AppState& state, ReportRequest& request) {
    if (state.call(kCategoryPicker, Request::Select) != Response::Completed) return false;
    const CategoryRecord& c = state.catalogue().category();
    request.filter = "MUS:CategoryID = " + std::to_string(c.CategoryID.toInt());
    request.title = "Music in " + std::string(c.Category.clipped()) + " Category";
    return true;
}

// A criteria report and its brief twin.
void pair(std::vector<ReportDefinition>& all, ReportDefinition full, std::string briefName,
          std::string briefFonts, std::vector<ReportColumn> briefColumns, std::string briefTitle) {
    full.briefTwin = briefName;
    full.kind = ReportKind::Criteria;
    full.file = F::Cadenzio;
    full.joins = {kSongCategory};
    ReportDefinition brief = full;
    brief.procedure = std::move(briefName);
    brief.briefTwin.clear();
    brief.fontsKey = std::move(briefFonts);
    brief.columns = std::move(briefColumns);
    brief.detailPoints = 9;
    if (!briefTitle.empty()) brief.title = std::move(briefTitle);
    // The twin runs on what the full report asked before it; its title is its own.
    brief.prepare = nullptr;
    brief.titleOf = nullptr;
    full.detailPoints = 8;
    all.push_back(std::move(full));
    all.push_back(std::move(brief));
}

ReportDefinition list(const char* procedure, const char* heading, const char* key, const char* noun,
                      const char* selected, const char* fonts, std::vector<ReportColumn> columns) {
    ReportDefinition d;
    d.procedure = procedure;
    d.title = heading;
    d.orderKey = key;
    d.criteriaNoun = noun;
    d.selectedField = selected;
    d.fontsKey = fonts;
    d.columns = std::move(columns);
    return d;
}

std::vector<ReportColumn> withDetails(std::vector<ReportColumn> lead) {
    for (const ReportColumn& c : {category(), track(), chart(), fileNumber(), releaseDate()})
        lead.push_back(c);
    return lead;
}

ReportDefinition paperSaver(const char* procedure, const char* heading, const char* key,
                            const char* fonts, std::vector<ReportColumn> columns) {
    const std::string selected = columns[2].label;  // the first order field
    ReportDefinition d =
        list(procedure, heading, key, "", selected.c_str(), fonts, std::move(columns));
    d.file = F::Cadenzio;
    d.kind = ReportKind::PaperSaver;
    d.queryClass = proc::kDjLog;
    d.skipMarked = true;
    d.detailPoints = 6;
    d.bands = 2;
    return d;
}

}  // namespace

void addSongReports(std::vector<ReportDefinition>& all) {
    {
        ReportDefinition d = list(proc::kSongsByArtist, "Songs by Artist", "MUS:SongsByArtist",
                                  "artists", "MUS:Artist", "PrintMUS:SongsByArtist",
                                  withDetails({artist(), title(), album(), media()}));
        d.skipMarked = true;
        pair(all, d, "BRIEFMUS:SONGSBYARTIST", "BriefMUS:SongsByArtist",
             {time(), fileNumber(10), artist(20), title(20), album(18)}, "");
    }
    {
        ReportDefinition d =
            list(proc::kSongsByTitle, "Songs by Title", "MUS:SongsByTitle", "titles", "MUS:Title",
                 "PrintMUS:SongsByTitle", withDetails({title(), artist(), album(), media()}));
        d.skipMarked = true;
        pair(all, d, "BRIEFMUS:SONGSBYTITLE", "BriefMUS:SongsByTitle",
             {time(), fileNumber(10), title(20), artist(20), album(18)}, "");
    }
    pair(all,
         list(proc::kSongsByAlbum, "Songs by Album", "MUS:SongsByAlbum", "albums", "MUS:Album",
              "PrintMUS:SongsByAlbum", withDetails({album(), artist(), title(), media()})),
         "BRIEFMUS:SONGSBYALBUM", "", {fileNumber(10), album(20), artist(20), title(20), media()},
         "");
    pair(all,
         list(proc::kSongsByMedia, "Songs by Media", "MUS:SongsByMedia", "media", "MUS:Media",
              "PrintMUS:SongsByMedia", withDetails({media(), title(), album(), artist()})),
         "BRIEFMUS:SONGSBYMEDIA", "BriefMUS:SongsByMedia",
         {media(), artist(20), title(20), album(18), fileNumber(10)}, "");
    pair(all,
         list(proc::kSongsByChart, "Songs by Chart Number", "MUS:SongsByChartNumber",
              "chart numbers", "MUS:ChartNumber", "",
              {album(), title(), artist(), chart("Chart #"), media(), fileNumber(), releaseDate()}),
         "BRIEFMUS:SONGSBYCHART", "", {album(20), title(20), artist(20), chart("Chart #")}, "");
    {
        ReportDefinition d =
            list(proc::kSongsByUserKey, "Songs by User Defined Key", "MUS:SongsByUserDefinedKey",
                 "user defined keys", "MUS:UserDefinedKeyField", "PrintMUS:SongsByUDK",
                 withDetails({artist(), title(), album(), media()}));
        d.titleOf = &userKeyTitle;
        d.nounOf = &userKeyNoun;
        pair(all, d, "BRIEFMUS:SONGSBYUDK", "", {album(24), title(24), artist(24)},
             "Songs by User Defined Key");
    }
    {
        ReportDefinition d =
            list(proc::kSongsByCategory, "Songs by Category", "MUS:SongsByCategory", "artists",
                 "MUS:Artist", "PrintByCategory",
                 {artist(), title(), album(), media(), fileNumber(), releaseDate()});
        d.prepare = &byCategory;
        pair(all, d, "BRIEFBYCATEGORY", "BriefByCategory",
             {artist(20), title(20), album(18), media(), fileNumber(10)}, "");
    }
    all.push_back(paperSaver(proc::kPaperSaverArtist, "Songs by Artist", "MUS:SongsByArtist",
                             "PrintPaperSaver",
                             {time(), fileNumber(12, "File #"), artist(), title(), album()}));
    all.push_back(paperSaver(proc::kPaperSaverTitle, "Songs by Title", "MUS:SongsByTitle",
                             "PrintPaperSaverTitle",
                             {time(), fileNumber(12, "File #"), title(), artist(), album()}));
}

}  // namespace cdz
