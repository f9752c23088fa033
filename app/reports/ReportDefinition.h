#pragma once
// What sets one catalogue report apart from the others: its procedure name, the file and key
// order it reads, how it asks what to print, its title and columns, and the settings keys of
// its custom font. The engine does the rest the same way for every report.
#include <string>
#include <utility>
#include <vector>

#include "app/domain/data/CatalogueFile.h"
#include "runtime/report/PageItems.h"

namespace cdz {

class AppState;
struct ReportRequest;

// How a report asks what to print.
enum class ReportKind {
    Criteria,    // the criteria window: style, preview, font, all or those starting with a text
    Query,       // the preview question, then the query wizard for a filter
    PaperSaver,  // no question: printed directly, with the last criteria's selection
    Fixed,       // the preview question; the filter is the report's own
};

// How the records go on the pages (see ReportLayout).
enum class ReportShape {
    List,        // a line per record under column captions
    Totals,      // a list with the sums of its money columns at the end
    IndexCard,   // a card per record, captions beside values
    RotaryCard,  // a rotary-file card per record, values only
    TimeTotal,   // a list with the sum of its playing times at the end
};

class ReportRecords;

struct ReportColumn {
    std::string caption;
    std::string label;    // the field printed ("MUS:Artist", "CAT:Category")
    int weight = 10;      // share of the printable width
    std::string picture;  // "@d2" and the like; a date picture takes the user's date format
    TextAlign align = TextAlign::Left;
    // A value made from the record rather than one field as it stands (the DJ log's year);
    // it sees its column for the label and the picture.
    std::string (*compute)(const ReportRecords& records, const ReportColumn& column) = nullptr;
    // A caption the user sets (the DJ log's notes column).
    std::string (*captionOf)(AppState& state) = nullptr;
};

// A further file read with each record: pairs of (label already in the report, label in file).
struct ReportJoin {
    CatalogueFile file;
    std::vector<std::pair<std::string, std::string>> on;
};

struct ReportDefinition {
    std::string procedure;  // "PRINTMUS:SONGSBYARTIST"
    std::string title;      // "Songs by Artist"
    CatalogueFile file = CatalogueFile::Cadenzio;
    std::string orderKey;  // "MUS:SongsByArtist"
    std::vector<ReportJoin> joins;
    std::vector<ReportColumn> columns;
    ReportKind kind = ReportKind::Criteria;
    std::string criteriaNoun;   // completes "Select <noun> that start with:"
    std::string selectedField;  // the field a "Selected" text must begin
    std::string fontsKey;       // "PrintMUS:SongsByArtist"; empty: the report has no font keys
    std::string briefTwin;      // the procedure a "Brief" answer runs instead
    // Songs whose artist holds "(*)" or whose title holds "(Skips)" are left out.
    bool skipMarked = false;
    std::string queryClass;  // the query wizard's class (query and paper-saver reports)
    // The wizard's field description; none: saved queries and typed ones only.
    std::string (*queryFields)(AppState& state) = nullptr;
    // Asked before anything else, when the report has it: takes copies of what the report
    // prints for (the album or category chosen), sets the filter and title; false ends the
    // report (the user cancelled).
    bool (*prepare)(AppState& state, ReportRequest& request) = nullptr;
    // Run once when the report starts, before the first record is read, with what `prepare`
    // (or the command line) gave: the Top 40 renumbers its playlist here. False stops the
    // report, `why` telling the reason.
    bool (*beforePass)(AppState& state, const ReportRequest& request, std::string* why) = nullptr;
    // A title and a criteria noun made from the settings when the report starts.
    std::string (*titleOf)(AppState& state) = nullptr;
    std::string (*nounOf)(AppState& state) = nullptr;
    // Sets of columns side by side across the page (the small type of the paper savers).
    int bands = 1;
    ReportShape shape = ReportShape::List;
    double detailPoints = 9;  // the detail lines' type size
};

}  // namespace cdz
