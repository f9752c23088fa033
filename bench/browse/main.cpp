// cdzbrowse: the browse engine's movements over the songs file in artist order, at a small and
// a large catalogue, every figure of one run.
//   cdzbrowse [--songs N] [--small N] [--repeats R] [--dir FOLDER] [--keep]
// Builds the two songs files (default 1,000,000 and 10,000 songs) unless --dir already holds
// them, then times every movement R times (default 200) with a page of 30 rows and prints
// the medians, the 95th percentiles and the ratios, and the resident memory. See
// bench/README.md, "The browse benchmark".
#include <QCoreApplication>
#include <QSysInfo>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "bench/browse/MovementBench.h"
#include "bench/browse/SizeOptions.h"
#include "bench/browse/SongsFile.h"
#include "bench/generator/SongGenerator.h"

namespace {

using namespace cdz;
using namespace cdz::bench;
using Options = SizeOptions;

constexpr double kMostMillis = 5.0;
constexpr double kMostRatio = 1.5;
constexpr double kMostGrowth = 0.10;
constexpr int kMixed = 1000;
constexpr int kRounds = 4;

Options defaults() {
    Options o;
    o.dir = std::filesystem::temp_directory_path() / "cdzbrowse";
    return o;
}

// Artists of the first songs the generator makes for a catalogue of `songs`: names the file
// holds, popular and rare, spread over the alphabets.
std::vector<std::string> artistsOf(int64_t songs, int count) {
    gen::CatalogueShape shape;
    shape.songs = songs;
    gen::SongGenerator g(shape);
    std::vector<std::string> out;
    gen::SongRecord s;
    while (static_cast<int>(out.size()) < count && g.next(s)) {
        if (!s.Artist.empty()) out.push_back(s.Artist);
    }
    return out;
}

bool open(Catalogue& cat) {
    return cat.use(CatalogueFile::Cadenzio) == 0 && cat.use(CatalogueFile::Categories) == 0;
}

bool sound(const MovementBench& bench, int64_t songs) {
    if (!bench.figures().ok) {
        std::fprintf(stderr, "%lld songs: %s\n", static_cast<long long>(songs),
                     bench.figures().failure.c_str());
    }
    return bench.figures().ok;
}

double ratio(double a, double b) {
    return b > 0 ? a / b : 0;
}

void report(const Options& o, const BrowseFigures& large, const BrowseFigures& small) {
    std::printf(
        "\nThe songs browse in artist order, a page of %d rows, each movement %d times (ms):\n",
        MovementBench::kRows, o.repeats);
    auto heading = [](const char* what, int64_t songs) {
        return std::string(what) + " " + std::to_string(songs);
    };
    std::printf("  %-14s %14s %14s %14s %14s %18s %8s\n", "movement",
                heading("median", o.small).c_str(), heading("median", o.songs).c_str(),
                heading("p95", o.small).c_str(), heading("p95", o.songs).c_str(),
                heading("p95 cpu", o.songs).c_str(), "ratio");
    bool holds = true;
    for (int m = 0; m < kMovements; ++m) {
        const Samples& big = large.movements[static_cast<size_t>(m)];
        const Samples& little = small.movements[static_cast<size_t>(m)];
        const double r = ratio(big.median(), little.median());
        // The three typed characters are three movements; each is held to the target alone.
        const bool target = static_cast<Movement>(m) != Movement::Typed3;
        const bool ok = big.median() < kMostMillis && r <= kMostRatio;
        if (target) holds = holds && ok;
        std::printf("  %-14s %14.3f %14.3f %14.3f %14.3f %18.3f %8.2f  %s\n",
                    movementName(static_cast<Movement>(m)), little.median(), big.median(),
                    little.p95(), big.p95(), big.cpuP95(), r,
                    !target ? "(three movements)"
                    : ok    ? "holds"
                            : "MISSED");
    }
    std::printf("  typed prefixes not found: %d of %d at %lld songs, %d of %d at %lld\n",
                large.locateMisses, large.prefixesTyped, static_cast<long long>(o.songs),
                small.locateMisses, small.prefixesTyped, static_cast<long long>(o.small));
    for (const BrowseFigures* f : {&large, &small}) {
        if (f->locateMisses) std::printf("    the first: %s\n", f->firstMiss.c_str());
    }

    const double growth =
        ratio(static_cast<double>(large.rssAfterMixed), static_cast<double>(large.rssFirstPage));
    const bool memoryHolds = growth <= 1 + kMostGrowth;
    std::printf(
        "\nResident memory at %lld songs: %.1f MB after the first page, %.1f MB after %d mixed "
        "movements, ratio %.2f  %s\n",
        static_cast<long long>(o.songs), large.rssFirstPage / 1024.0, large.rssAfterMixed / 1024.0,
        kMixed, growth, memoryHolds ? "holds" : "MISSED");
    std::printf(
        "  and %.1f MB after all %lld movements of the run (the small catalogue open too)\n",
        large.rssAtEnd / 1024.0, static_cast<long long>(large.movementsMade));
    std::printf("\nSummary: movements %s, memory %s\n", holds ? "hold" : "MISSED",
                memoryHolds ? "holds" : "MISSED");
}

// Times both catalogues and prints the figures; the exit status.
int measure(const Options& o) {
    // The large catalogue first, alone, for its memory figures; then the small one. The timed
    // rounds alternate between them.
    Catalogue largeCat(o.folderOf(o.songs));
    if (!open(largeCat)) {
        std::fprintf(stderr, "cannot open the files of %lld songs\n",
                     static_cast<long long>(o.songs));
        return 1;
    }
    MovementBench largeBench(largeCat, artistsOf(o.songs, o.repeats));
    largeBench.mixed(kMixed);
    Catalogue smallCat(o.folderOf(o.small));
    if (!open(smallCat)) {
        std::fprintf(stderr, "cannot open the files of %lld songs\n",
                     static_cast<long long>(o.small));
        return 1;
    }
    MovementBench smallBench(smallCat, artistsOf(o.small, o.repeats));
    smallBench.mixed(kMixed);
    for (int r = 0; r < kRounds; ++r) {
        const int n = o.repeats / kRounds + (r < o.repeats % kRounds ? 1 : 0);
        largeBench.timedRound(n);
        smallBench.timedRound(n);
    }
    if (!sound(largeBench, o.songs) || !sound(smallBench, o.small)) return 1;
    report(o, largeBench.figures(), smallBench.figures());
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    Options o = defaults();
    if (!o.parse(argc, argv)) {
        std::fprintf(stderr,
                     "usage: cdzbrowse [--songs N] [--small N] [--repeats R] [--dir FOLDER] "
                     "[--keep]\n");
        return 2;
    }
    // The memory figures are the measurement's alone: after building, a fresh process measures.
    if (const int code = SongsFile::prepare(o, argv); code >= 0) return code;
    std::printf("Machine: %s, %u hardware threads\n",
                QSysInfo::prettyProductName().toStdString().c_str(),
                std::thread::hardware_concurrency());

    const int code = measure(o);
    if (!o.keep) std::filesystem::remove_all(o.dir);
    return code;
}
