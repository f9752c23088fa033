// cdzcolumnorder: the song browse window, offscreen, ordered by a column no key holds (as a
// click on its header orders it), over one catalogue folder.
//   cdzcolumnorder [--songs N] [--dir FOLDER] [--pages P]
// FOLDER (default /tmp/cdzcolumnorder/N) is made with the generator's catalogue unless it holds
// data files. For each column and direction it times the first page, P pages forward and back
// (checking that no song is skipped or shown twice), the bottom, the top and a typed locator,
// and prints the resident memory. See bench/README.md, "The column order benchmark".
#include <QApplication>
#include <QResizeEvent>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "app/engine/state/AppState.h"
#include "app/songs/SongBrowse.h"
#include "bench/browse/ResidentMemory.h"
#include "bench/generator/datafiles/CatalogueInto.h"
#include "runtime/ui/ScriptedDialogs.h"

namespace {

using namespace cdz;
using namespace cdz::bench;

constexpr double kFirstPageMs = 1700.0;
constexpr double kPageMs = 5.0;

template <typename F>
double millis(F&& f) {
    const auto t0 = std::chrono::steady_clock::now();
    f();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
}

double percentile(std::vector<double> v, double p) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    return v[static_cast<size_t>(p * static_cast<double>(v.size() - 1))];
}

struct Column {
    const char* label;
    const char* picture;
    const char* typed;
};

// Every song number of the page, added to `seen`; false when one was there already.
bool take(const BrowseEngine& e, std::set<int64_t>& seen) {
    bool fresh = true;
    for (int r = 1; r <= e.page().count(); ++r) {
        fresh = seen.insert(e.page().at(r).recnos.front()).second && fresh;
    }
    return fresh;
}

bool run(SongBrowse& w, const Column& c, bool descending, int pages) {
    BrowseEngine& e = w.engine();
    e.clearColumnOrder();
    const int64_t before = ResidentMemory::kilobytes();
    const double first = millis([&] { e.setColumnOrder({c.label, descending, c.picture}); });
    const int rows = e.page().count();
    std::set<int64_t> forward;
    bool sound = take(e, forward);
    std::vector<double> down, up;
    for (int p = 0; p < pages; ++p) {
        down.push_back(millis([&] { e.scrollPage(true); }));
        sound = take(e, forward) && sound;
    }
    std::set<int64_t> backward;
    take(e, backward);
    for (int p = 0; p < pages; ++p) {
        up.push_back(millis([&] { e.scrollPage(false); }));
        sound = take(e, backward) && sound;
    }
    sound =
        sound && forward.size() == static_cast<size_t>(rows) * (pages + 1) && backward == forward;
    const double bottom = millis([&] { e.scrollEnd(true); });
    const double top = millis([&] { e.scrollEnd(false); });
    std::vector<double> typed;
    for (const char* ch = c.typed; *ch; ++ch) {
        typed.push_back(millis([&] { e.typeLocator(static_cast<char32_t>(*ch)); }));
    }
    const int64_t after = ResidentMemory::kilobytes();
    std::printf(
        "%-14s %-10s first page %8.1f ms (%s)  page down median %.2f ms, max %.2f  "
        "page up median %.2f ms, max %.2f (%s)  bottom %.2f ms, top %.2f ms, "
        "typed \"%s\" max %.2f ms  %s  resident %.1f -> %.1f MB\n",
        c.label, descending ? "descending" : "ascending", first,
        first < kFirstPageMs ? "holds" : "MISSES", percentile(down, 0.5), percentile(down, 1.0),
        percentile(up, 0.5), percentile(up, 1.0),
        percentile(down, 1.0) < kPageMs && percentile(up, 1.0) < kPageMs ? "holds" : "MISSES",
        bottom, top, c.typed, percentile(typed, 1.0),
        sound ? "no song skipped or repeated" : "SONGS SKIPPED OR REPEATED",
        static_cast<double>(before) / 1024, static_cast<double>(after) / 1024);
    std::fflush(stdout);
    return sound;
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    int64_t songs = 1000000;
    int pages = 50;
    std::filesystem::path dir;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string a = argv[i];
        if (a == "--songs") {
            songs = std::atoll(argv[i + 1]);
        } else if (a == "--dir") {
            dir = argv[i + 1];
        } else if (a == "--pages") {
            pages = std::atoi(argv[i + 1]);
        } else {
            std::fprintf(stderr, "usage: cdzcolumnorder [--songs N] [--dir FOLDER] [--pages P]\n");
            return 2;
        }
    }
    if (dir.empty())
        dir = std::filesystem::temp_directory_path() / "cdzcolumnorder" / std::to_string(songs);
    if (gen::CatalogueInto::dataFilesIn(dir).empty()) {
        std::fprintf(stderr, "Making the catalogue of %lld songs in %s\n",
                     static_cast<long long>(songs), dir.c_str());
        std::filesystem::create_directories(dir);
        gen::CatalogueShape shape;
        shape.songs = songs;
        const gen::IntoResult r = gen::CatalogueInto::write(dir, shape, false);
        if (r.status != gen::IntoResult::Status::Written) {
            std::fprintf(stderr, "%s: %s\n", dir.c_str(), r.message.c_str());
            return 1;
        }
    }
    AppState state(dir, std::make_unique<ScriptedDialogs>(), [](std::string_view text) {
        std::fprintf(stderr, "halt: %.*s\n", static_cast<int>(text.size()), text.data());
    });
    state.setApplicationTag(AppState::kApplicationTag);
    state.setSettingsFileName(AppState::kSettingsFileName);
    state.readSettings();
    SongBrowse* w = SongBrowse::open(state, nullptr);
    if (!w) {
        std::fprintf(stderr, "the song browse did not open\n");
        return 1;
    }
    QResizeEvent laid(w->list().size(), QSize());
    QCoreApplication::sendEvent(&w->list(), &laid);
    w->engine().refresh();
    std::printf("%s: the song browse at its first page, %d rows, resident %.1f MB\n", dir.c_str(),
                w->engine().page().count(),
                static_cast<double>(ResidentMemory::kilobytes()) / 1024);
    // Composer: a text no key holds; Released: a date no key holds; Category: a text of the
    // categories file, joined to each song.
    const Column columns[] = {{"MUS:Composer", "@s40", "JO"},
                              {"MUS:ReleaseDate", "@d17", "1990"},
                              {"CAT:Category", "@s30", "RO"}};
    bool sound = true;
    for (const Column& c : columns) {
        for (bool descending : {false, true}) sound = run(*w, c, descending, pages) && sound;
    }
    std::printf("peak resident %.1f MB\n",
                static_cast<double>(ResidentMemory::peakKilobytes()) / 1024);
    w->close();
    return sound ? 0 : 1;
}
