// cdzreportrun: the song list by artist made over a large catalogue, offscreen, as the Reports
// menu makes it (the report's own records, the spooled page list): records a second, peak
// resident memory, and the time until the preview, opened on the first page made as the
// report's window opens it, shows that page; against the sqlite3 shell reading the same columns
// of the same songs in the same order to /dev/null (read once before the report as well, so
// that both find the file in the system's cache).
//   cdzreportrun [--songs N] [--dir FOLDER] [--ours-only] [--pdf]
// With --pdf, the pages made are also written to a PDF file, and `cdzapp --print ... --pdf`
// (the cdzapp beside this program) makes the same report to a PDF file end to end.
// The catalogue folder FOLDER/N is made with the generator's catalogue unless it holds data
// files already. See bench/README.md, "The report benchmark".
#include <QApplication>
#include <QPageSize>
#include <QPixmap>

#include <sys/resource.h>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>

#include "app/engine/state/AppState.h"
#include "app/reports/ReportCatalogue.h"
#include "app/reports/ReportJob.h"
#include "bench/generator/datafiles/CatalogueInto.h"
#include "bench/reportrun/PdfStage.h"
#include "bench/storage/SqliteShell.h"
#include "runtime/report/PreviewWindow.h"
#include "runtime/ui/ScriptedDialogs.h"

namespace {

using namespace cdz;
using namespace cdz::bench;

constexpr double kLeastRecordsPerSecond = 20000;
constexpr int kBatch = 25;  // as the progress window feeds the report

struct Options {
    int64_t songs = 1000000;
    std::filesystem::path dir = std::filesystem::temp_directory_path() / "cdzreportrun";
    bool oursOnly = false;
    bool pdf = false;
};

bool parse(int argc, char** argv, Options& o) {
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--ours-only" || a == "--pdf") {
            (a == "--pdf" ? o.pdf : o.oursOnly) = true;
            continue;
        }
        if (i + 1 >= argc) return false;
        if (a == "--songs") {
            o.songs = std::atoll(argv[++i]);
        } else if (a == "--dir") {
            o.dir = argv[++i];
        } else {
            return false;
        }
    }
    return o.songs > 0;
}

double seconds(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

long peakKb() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss;
}

struct Run {
    double seconds = 0;
    double firstPage = 0;  // from the start until the preview has drawn page 1
    int pages = 0;
    long peakBeforeKb = 0, peakMadeKb = 0, peakAfterKb = 0;
    bool ok = false;
    PdfFigures pdf;
};

Run makeReport(AppState& state, const ReportRequest& request,
               const std::filesystem::path& pdf = {}) {
    Run r;
    const ReportDefinition& report = *ReportCatalogue::find("PRINTMUS:SONGSBYARTIST");
    FileUse files(state.catalogue(), {CatalogueFile::Cadenzio, CatalogueFile::Categories});
    if (!files.ok()) return r;
    r.peakBeforeKb = peakKb();
    const auto t0 = std::chrono::steady_clock::now();
    ReportJob job(state, report, request, QPageSize(QPageSize::Letter).size(QPageSize::Point));
    if (!job.start()) {
        std::fprintf(stderr, "the report did not start: %s\n", job.error().c_str());
        return r;
    }
    // As the report's window does: the preview opens on the first page made and grows.
    ScriptedDialogs dialogs;
    std::unique_ptr<PreviewWindow> preview;
    bool more = true;
    while (more) {
        more = job.step(kBatch);
        const int made = job.pages().pageCount();
        if (made == 0) continue;
        if (!preview) {
            preview = std::make_unique<PreviewWindow>(job.pages(), dialogs);
            preview->resize(900, 1000);
            preview->grow(made, false);
            preview->show();
            preview->grab();  // draws what is on the screen: page 1
            r.firstPage = seconds(t0);
        }
        preview->grow(made, false);
    }
    if (!job.finish() || job.readError()) return r;
    r.seconds = seconds(t0);
    r.peakMadeKb = peakKb();
    r.pages = job.pages().pageCount();
    if (r.pages > 0 && !preview) {  // one short page, made by the finish
        preview = std::make_unique<PreviewWindow>(job.pages(), dialogs);
        preview->resize(900, 1000);
        preview->show();
        preview->grab();
        r.firstPage = seconds(t0);
    }
    if (preview) preview->grow(r.pages, true);
    r.peakAfterKb = peakKb();
    if (!pdf.empty()) r.pdf = writePages(job.pages(), pdf);
    r.ok = true;
    return r;
}

std::string shellScript(AppState& state) {
    return ".output /dev/null\nattach '" +
           state.catalogue().file(CatalogueFile::Categories).path().string() +
           "' as cat;\n"
           "select s.Artist, s.Title, s.Album, s.Media, c.Category, s.TrackNumber, "
           "s.ChartNumber, s.FileNumber, s.ReleaseDate from Cadenzio s left join "
           "cat.Categories c on c.CategoryID = s.CategoryID where instr(s.Artist, '(*)') = 0 "
           "and instr(s.Title, '(Skips)') = 0 order by s.Artist__fold, s.Title__fold, "
           "s.cdz_recno;\n";
}

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    Options o;
    if (!parse(argc, argv, o)) {
        std::fprintf(stderr,
                     "usage: cdzreportrun [--songs N] [--dir FOLDER] [--ours-only] [--pdf]\n");
        return 2;
    }
    if (!o.oursOnly && !SqliteShell::available()) {
        std::fprintf(stderr, "cdzreportrun: the sqlite3 shell is not installed\n");
        return 2;
    }
    const std::filesystem::path folder = o.dir / std::to_string(o.songs);
    if (gen::CatalogueInto::dataFilesIn(folder).empty()) {
        std::fprintf(stderr, "Making the catalogue of %lld songs in %s\n",
                     static_cast<long long>(o.songs), folder.c_str());
        std::filesystem::create_directories(folder);
        gen::CatalogueShape shape;
        shape.songs = o.songs;
        const gen::IntoResult r = gen::CatalogueInto::write(folder, shape, false);
        if (r.status != gen::IntoResult::Status::Written) {
            std::fprintf(stderr, "%s: %s\n", folder.c_str(), r.message.c_str());
            return 1;
        }
    }
    AppState state(folder, std::make_unique<ScriptedDialogs>());
    state.setApplicationTag(AppState::kApplicationTag);
    state.setSettingsFileName(AppState::kSettingsFileName);
    state.readSettings();

    // The same songs, columns and order, read by the shell and thrown away. It reads them once
    // before the report too, so that both find the file in the system's cache.
    const std::filesystem::path songsFile = state.catalogue().file(CatalogueFile::Cadenzio).path();
    const std::string script = shellScript(state);
    if (!o.oursOnly) SqliteShell::run(songsFile, script);
    ReportRequest all;
    all.criteria.selectedOrAll = "All";
    const Run whole = makeReport(state, all, o.pdf ? o.dir / "report.pdf" : "");
    ReportRequest some;
    some.criteria.selectedOrAll = "Selected";
    some.criteria.selection = "Be";
    const Run selected = makeReport(state, some);
    if (!whole.ok || !selected.ok) {
        std::fprintf(stderr, "cdzreportrun: the report failed\n");
        return 1;
    }
    const double perSecond = o.songs / whole.seconds;
    std::printf("Songs by Artist over %lld songs, batches of %d records\n\n",
                static_cast<long long>(o.songs), kBatch);
    std::printf("%-34s %9s %7s %10s %12s   %s\n", "report", "seconds", "pages", "records/s",
                "first page s", "peak RSS MB: before, made, previewed");
    std::printf("%-34s %9.2f %7d %10.0f %12.2f   %.1f, %.1f, %.1f\n", "all songs", whole.seconds,
                whole.pages, perSecond, whole.firstPage, whole.peakBeforeKb / 1024.0,
                whole.peakMadeKb / 1024.0, whole.peakAfterKb / 1024.0);
    std::printf("%-34s %9.2f %7d %10s %12.2f   %.1f, %.1f, %.1f\n", "artists starting with \"Be\"",
                selected.seconds, selected.pages, "-", selected.firstPage,
                selected.peakBeforeKb / 1024.0, selected.peakMadeKb / 1024.0,
                selected.peakAfterKb / 1024.0);
    bool pass = perSecond >= kLeastRecordsPerSecond;
    if (!o.oursOnly) {
        const ShellRun shell = SqliteShell::run(songsFile, script);
        if (!shell.ok) {
            std::fprintf(stderr, "sqlite3 failed: %s\n", shell.out.c_str());
            return 1;
        }
        std::printf("%-34s %9.2f %7s %10.0f\n", "sqlite3 shell, same rows to /dev/null",
                    shell.seconds, "-", o.songs / shell.seconds);
        std::printf("\nratio report / shell (time): %.2f\n", whole.seconds / shell.seconds);
    }
    if (o.pdf) {
        const std::filesystem::path cdzapp =
            std::filesystem::path(argv[0]).parent_path() / "cdzapp";
        const PdfFigures printed = printCommand(cdzapp, folder, o.dir / "printed.pdf");
        std::printf("\n%-34s %9s %7s %10s %12s   %s\n", "PDF", "seconds", "pages", "pages/s",
                    "KB a page", "text in order / peak RSS MB");
        std::printf("%-34s %9.2f %7d %10.0f %12.2f   %s\n", "pages made, written (Letter)",
                    whole.pdf.seconds, whole.pdf.pages, whole.pdf.pages / whole.pdf.seconds,
                    whole.pdf.bytesPerPage / 1024, whole.pdf.textOrder.c_str());
        std::printf("%-34s %9.2f %7d %10.0f %12.2f   %.1f\n", "cdzapp --print --pdf (A4)",
                    printed.seconds, printed.pages, printed.pages / printed.seconds,
                    printed.bytesPerPage / 1024, printed.peakKb / 1024.0);
        pass = pass && whole.pdf.written && printed.written && whole.pdf.textOrder == "yes";
    }
    std::printf("goal: at least %.0f records a second: %s\n", kLeastRecordsPerSecond,
                pass ? "met" : "NOT met");
    return pass ? 0 : 1;
}
