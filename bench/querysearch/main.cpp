// cdzquerysearch: the song browse after a search, offscreen, over a large catalogue: the first
// page and later pages for each search of SearchCases, against the sqlite3 shell's
// `select * ... where <the same condition> order by <the key> limit <page>` on the same file.
//   cdzquerysearch [--songs N] [--dir FOLDER] [--repeats R] [--ours-only]
// The catalogue folder FOLDER/N is made with the generator's catalogue unless it holds data
// files already. See bench/README.md, "The search benchmark".
#include <QApplication>
#include <QResizeEvent>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "app/domain/data/Catalogue.h"
#include "app/engine/state/AppState.h"
#include "app/songs/SongBrowse.h"
#include "bench/generator/datafiles/CatalogueInto.h"
#include "bench/querysearch/SearchCases.h"
#include "bench/storage/SqliteShell.h"
#include "runtime/ui/ScriptedDialogs.h"

namespace {

using namespace cdz;
using namespace cdz::bench;

constexpr double kMostFirstMs = 500.0;
constexpr double kMostRatio = 3.0;
constexpr double kMostPageMs = 5.0;
constexpr int kPages = 20;
constexpr int kShellRows = 30;  // the rows the window shows
constexpr int kShellRepeats = 50;
constexpr double kShellEnough = 0.2;  // seconds
constexpr int kIdField = 19;          // MUS:ID among the song browse's row fields

struct Options {
    int64_t songs = 1000000;
    std::filesystem::path dir = std::filesystem::temp_directory_path() / "cdzquerysearch";
    int repeats = 5;
    bool oursOnly = false;  // no shell: for profiling the program's side
};

bool parse(int argc, char** argv, Options& o) {
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--ours-only") {
            o.oursOnly = true;
            continue;
        }
        if (i + 1 >= argc) return false;
        if (a == "--songs") {
            o.songs = std::atoll(argv[++i]);
        } else if (a == "--dir") {
            o.dir = argv[++i];
        } else if (a == "--repeats") {
            o.repeats = std::atoi(argv[++i]);
        } else {
            return false;
        }
    }
    return o.songs > 0 && o.repeats > 0;
}

template <typename F>
double millis(F&& f) {
    const auto t0 = std::chrono::steady_clock::now();
    f();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
}

double median(std::vector<double> v) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

std::vector<int64_t> pageIds(const BrowseEngine& e) {
    std::vector<int64_t> ids;
    for (int row = 1; row <= e.page().count(); ++row) {
        if (const auto* id = std::get_if<int64_t>(&e.rowValue(row, kIdField))) ids.push_back(*id);
    }
    return ids;
}

struct Figures {
    double first = 0, shell = 0, down = 0, up = 0;
    bool sameRows = false;
    int rows = 0;
};

bool measure(AppState& state, SongBrowse& w, const SearchCase& c, const Options& o,
             const std::filesystem::path& songsFile, Figures& f) {
    BrowseEngine& e = w.engine();
    std::vector<double> first, down, up;
    for (int r = 0; r < o.repeats; ++r) {
        state.catalogue().category().CategoryID = c.category;
        e.setSortTab(c.tab);
        e.setQueryFilter({});
        e.refresh();
        first.push_back(millis([&] {
            e.setQueryFilter(c.filter);
            e.refresh();
        }));
        f.rows = e.page().count();
        const std::vector<int64_t> ids = pageIds(e);
        if (r == 0 && !o.oursOnly) {
            const std::string select = "select ID from Cadenzio where " + c.sqlWhere +
                                       " order by " + c.sqlOrder + " limit " +
                                       std::to_string(f.rows) + ";\n";
            std::string expected;
            for (int64_t id : ids) expected += std::to_string(id) + "\n";
            f.sameRows = SqliteShell::run(songsFile, select).out == expected;
        }
        for (int p = 0; p < kPages; ++p) down.push_back(millis([&] { e.scrollPage(true); }));
        for (int p = 0; p < kPages; ++p) up.push_back(millis([&] { e.scrollPage(false); }));
    }
    f.first = median(first);
    f.down = median(down);
    f.up = median(up);
    if (o.oursOnly) return true;
    // The shell's own time for the query: a run with it repeated less a run without it, so
    // that starting the shell and opening the file do not count.
    const std::string select = "select * from Cadenzio where " + c.sqlWhere + " order by " +
                               c.sqlOrder + " limit " + std::to_string(kShellRows) + ";\n";
    const std::string script = ".output /dev/null\n";
    const ShellRun bare = SqliteShell::run(songsFile, script);
    // A slow query once is enough; a quick one is repeated so the start does not drown it.
    int repeats = 1;
    ShellRun shell = SqliteShell::run(songsFile, script + select);
    if (shell.ok && shell.seconds - bare.seconds < kShellEnough) {
        repeats = kShellRepeats;
        std::string many = script;
        for (int r = 0; r < repeats; ++r) many += select;
        shell = SqliteShell::run(songsFile, many);
    }
    if (!shell.ok || !bare.ok) {
        std::fprintf(stderr, "sqlite3 failed: %s\n", shell.out.c_str());
        return false;
    }
    f.shell = std::max(0.0, shell.seconds - bare.seconds) * 1000 / repeats;
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    Options o;
    if (!parse(argc, argv, o)) {
        std::fprintf(stderr, "usage: cdzquerysearch [--songs N] [--dir FOLDER] [--repeats R]\n");
        return 2;
    }
    if (!SqliteShell::available()) {
        std::fprintf(stderr, "cdzquerysearch: the sqlite3 shell is not installed\n");
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
    std::string halted;
    AppState state(folder, std::make_unique<ScriptedDialogs>(),
                   [&halted](std::string_view text) { halted = text; });
    state.setApplicationTag(AppState::kApplicationTag);
    state.setSettingsFileName(AppState::kSettingsFileName);
    state.readSettings();
    SongBrowse* w = SongBrowse::open(state, nullptr);
    if (!w) {
        std::fprintf(stderr, "the song browse did not open %s\n", halted.c_str());
        return 1;
    }
    // Tall enough for the 30 rows a maximised window shows.
    w->show();
    QCoreApplication::processEvents();
    for (int i = 0; i < 5 && w->list().visibleRows() < kShellRows; ++i) {
        w->resize(w->width(), w->height() + (kShellRows - w->list().visibleRows()) *
                                                w->list().fontMetrics().height());
        QCoreApplication::processEvents();
    }

    const std::filesystem::path songsFile = folder / "cdzdata.tps";
    std::printf(
        "Search in the song browse over %lld songs (median of %d; later pages: %d pages "
        "down, then up, each repeat)\n\n",
        static_cast<long long>(o.songs), o.repeats, kPages);
    std::printf("%-34s %5s %10s %10s %6s %9s %9s %6s\n", "search", "rows", "first ms", "sqlite3 ms",
                "ratio", "down ms", "up ms", "same");
    bool holds = true;
    for (const SearchCase& c : searchCases()) {
        Figures f;
        if (!measure(state, *w, c, o, songsFile, f)) return 1;
        const double ratio = f.shell > 0 ? f.first / f.shell : 0;
        const bool ok = f.first < kMostFirstMs && ratio <= kMostRatio && f.down < kMostPageMs &&
                        f.up < kMostPageMs && f.sameRows;
        holds = holds && ok;
        std::printf("%-34s %5d %10.2f %10.2f %6.2f %9.3f %9.3f %6s %s\n", c.name.c_str(), f.rows,
                    f.first, f.shell, ratio, f.down, f.up, f.sameRows ? "yes" : "NO",
                    ok ? "holds" : "MISSES");
    }
    std::printf(
        "\nGoals: first page under %.0f ms and within %.0fx of sqlite3, later pages "
        "under %.0f ms, the same rows as sqlite3: %s\n",
        kMostFirstMs, kMostRatio, kMostPageMs, holds ? "all hold" : "SOME MISS");
    w->close();
    return holds ? 0 : 1;
}
