#include "app/reports/PrintCommand.h"

#include <QPageLayout>
#include <QPrinter>
#include <charconv>
#include <filesystem>
#include <memory>
#include <string_view>

#include "app/engine/command/HeadlessState.h"
#include "app/engine/state/AppState.h"
#include "app/reports/AlbumSongFilter.h"
#include "app/reports/PlaylistReportSubject.h"
#include "app/reports/ReportCatalogue.h"
#include "app/reports/ReportJob.h"
#include "runtime/process/CommandOptions.h"
#include "runtime/report/PdfExport.h"

namespace cdz {
namespace {

constexpr int kDone = 0;
constexpr int kFailed = 1;
constexpr int kWrongOrder = 2;

// The records between two looks at nothing in particular: a command has no window to serve.
constexpr int kBatch = 4096;

// The one-album song list prints one album's songs, never all of them for want of one: it
// takes its album from --album, which no other report takes. Sets `filter`; 0 or kWrongOrder.
int albumFilter(const ReportDefinition& report, const PrintOrder& order, std::FILE* err,
                std::string* filter) {
    const bool oneAlbum = report.prepare == &AlbumSongFilter::prepare;
    if (!oneAlbum && !order.hasAlbum) return kDone;
    if (!oneAlbum) {
        std::fprintf(err, "cdzapp: --album is for %s only\n", AlbumSongFilter::kProcedure);
        return kWrongOrder;
    }
    if (!order.hasAlbum) {
        std::fprintf(err,
                     "cdzapp: %s prints the songs of one album: give its number with --album N\n",
                     report.procedure.c_str());
        return kWrongOrder;
    }
    if (!order.filter.empty()) {
        std::fprintf(err, "cdzapp: give either --album or --filter, not both\n");
        return kWrongOrder;
    }
    int32_t album = 0;
    const char* end = order.album.data() + order.album.size();
    const auto got = std::from_chars(order.album.data(), end, album);
    if (got.ec != std::errc() || got.ptr != end || album <= 0) {
        std::fprintf(err, "cdzapp: --album needs an album number, not \"%s\"\n",
                     order.album.c_str());
        return kWrongOrder;
    }
    *filter = AlbumSongFilter::of(album);
    return kDone;
}

bool printsAPlaylist(const ReportDefinition& report) {
    return report.prepare == &PlaylistReportSubject::preparePrintout ||
           report.prepare == &PlaylistReportSubject::prepareChart;
}

// The playlist printouts print one playlist, never every entry of every playlist for want of
// one: --playlist names it, which no other report takes. Sets the request's filter, subject
// and title; 0, kWrongOrder, or kFailed when there is no such playlist.
int playlistRequest(AppState& state, const ReportDefinition& report, const PrintOrder& order,
                    std::FILE* err, ReportRequest* request) {
    const bool forPlaylist = printsAPlaylist(report);
    if (!forPlaylist && !order.hasPlaylist) return kDone;
    if (!forPlaylist) {
        std::fprintf(err, "cdzapp: --playlist is for %s and %s only\n", proc::kPlaylistPrint,
                     proc::kPlaylistTop40);
        return kWrongOrder;
    }
    if (!order.hasPlaylist) {
        std::fprintf(err, "cdzapp: %s prints one playlist: give its number with --playlist N\n",
                     report.procedure.c_str());
        return kWrongOrder;
    }
    if (!order.filter.empty() || order.hasSelected) {
        std::fprintf(err, "cdzapp: %s takes --playlist alone, without --filter or --selected\n",
                     report.procedure.c_str());
        return kWrongOrder;
    }
    int32_t playlist = 0;
    const char* end = order.playlist.data() + order.playlist.size();
    const auto got = std::from_chars(order.playlist.data(), end, playlist);
    if (got.ec != std::errc() || got.ptr != end || playlist <= 0) {
        std::fprintf(err, "cdzapp: --playlist needs a playlist number, not \"%s\"\n",
                     order.playlist.c_str());
        return kWrongOrder;
    }
    std::string description;
    if (int code = PlaylistReportSubject::find(state.catalogue(), playlist, &description)) {
        std::fprintf(err, "cdzapp: there is no playlist %d (%d)\n", playlist, code);
        return kFailed;
    }
    PlaylistReportSubject::describe(
        *request, report.prepare == &PlaylistReportSubject::prepareChart, playlist, description);
    return kDone;
}

int runFromOptions(const CommandOptions& options, std::FILE* out, std::FILE* err) {
    PrintOrder order;
    order.report = options.value("print");
    order.selected = options.value("selected");
    order.hasSelected = options.has("selected");
    order.filter = options.value("filter");
    order.album = options.value("album");
    order.hasAlbum = options.has("album");
    order.playlist = options.value("playlist");
    order.hasPlaylist = options.has("playlist");
    order.pdf = options.value("pdf");
    const auto state = headlessState(options, err);
    if (!state) return kWrongOrder;
    return PrintCommand::run(*state, order, out, err);
}

}  // namespace

// Fonts and PDF files need the application object, on a platform without a screen.
HeadlessCommand PrintCommand::command() {
    return {
        .trigger = {.name = "print",
                    .valueName = "procedure",
                    .help = "Make the report <procedure> (for example PRINTMUS:SONGSBYARTIST) "
                            "without a window and write it to the PDF file named by --pdf; "
                            "--selected TEXT prints only records whose order field begins with "
                            "TEXT, --filter EXPRESSION only those the expression accepts; "
                            "PRINTONEALBUM prints the songs of the album numbered by --album N; "
                            "PRINTPLAYLIST and PRINTPLAYLISTTOP40 print the playlist numbered by "
                            "--playlist N (the Top 40 numbers its entries 1, 2, 3 ... as it "
                            "prints)."},
        .options = {{.name = "pdf", .valueName = "file", .help = "See --print."},
                    {.name = "selected", .valueName = "text", .help = "See --print."},
                    {.name = "filter", .valueName = "expression", .help = "See --print."},
                    {.name = "album", .valueName = "number", .help = "See --print."},
                    {.name = "playlist", .valueName = "number", .help = "See --print."}},
        .needs = CommandNeeds::Application,
        .run = &runFromOptions};
}

int PrintCommand::run(AppState& state, const PrintOrder& order, std::FILE* out, std::FILE* err) {
    const ReportDefinition* report = ReportCatalogue::find(order.report);
    if (!report) {
        std::fprintf(err, "cdzapp: there is no report %s; the reports are:\n",
                     order.report.c_str());
        for (const ReportDefinition& d : ReportCatalogue::all())
            std::fprintf(err, "  %s\n", d.procedure.c_str());
        return kWrongOrder;
    }
    if (order.pdf.empty()) {
        std::fprintf(err, "cdzapp: --print needs --pdf FILE, the PDF file to write\n");
        return kWrongOrder;
    }
    if (order.hasSelected && !order.filter.empty()) {
        std::fprintf(err, "cdzapp: give either --selected or --filter, not both\n");
        return kWrongOrder;
    }
    if (order.hasSelected && report->selectedField.empty()) {
        std::fprintf(err, "cdzapp: %s selects with --filter, not --selected\n",
                     report->procedure.c_str());
        return kWrongOrder;
    }
    std::string filter = order.filter;
    if (int status = albumFilter(*report, order, err, &filter)) return status;
    ReportRequest request;
    request.criteria.style = "Standard";
    request.criteria.selectedOrAll = order.hasSelected ? "Selected" : "All";
    request.criteria.selection = order.selected;
    request.filter = filter;
    if (int status = playlistRequest(state, *report, order, err, &request)) return status;
    std::vector<CatalogueFile> files{report->file};
    for (const ReportJoin& j : report->joins) files.push_back(j.file);
    int held = 0;
    int status = kDone;
    for (CatalogueFile f : files) {
        if (state.catalogue().use(f) != 0) {
            std::fprintf(err, "cdzapp: the %s file could not be opened: %s\n",
                         std::string(catalogueFileInfo(f).label).c_str(),
                         state.error().driverText.c_str());
            status = kFailed;
            break;
        }
        ++held;
    }
    if (status == kDone) {
        const QSizeF paper = state.printer().pageLayout().fullRect(QPageLayout::Point).size();
        ReportJob job(state, *report, request, paper);
        if (!job.start()) {
            std::fprintf(err, "cdzapp: %s cannot be made: %s\n", report->procedure.c_str(),
                         job.error().c_str());
            status = kFailed;
        } else {
            while (job.step(kBatch)) {
            }
            const bool ended = job.finish();
            if (job.readError() != 0 || !ended) {
                std::fprintf(err, "cdzapp: %s stopped: %s; no file was written\n",
                             report->procedure.c_str(), job.error().c_str());
                status = kFailed;
            } else if (job.pages().pageCount() == 0) {
                std::fprintf(err, "cdzapp: Nothing to Print.\n");
                status = kFailed;
            } else {
                const PdfOutcome pdf =
                    PdfExport::write(job.pages(), QString::fromStdString(order.pdf));
                if (!pdf.written) {
                    std::fprintf(err, "cdzapp: %s\n", pdf.message.toStdString().c_str());
                    status = kFailed;
                } else {
                    const int pages = job.pages().pageCount();
                    std::fprintf(out, "%s: %d %s written to %s\n", report->procedure.c_str(), pages,
                                 pages == 1 ? "page" : "pages", order.pdf.c_str());
                }
            }
        }
    }
    for (int i = held - 1; i >= 0; --i) state.catalogue().release(files[static_cast<size_t>(i)]);
    return status;
}

}  // namespace cdz
