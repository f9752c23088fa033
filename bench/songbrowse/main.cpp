// cdzsongbrowse: the song browse window, offscreen, over a small and a large catalogue, and the
// program started to the browse's first page.
//   cdzsongbrowse [--songs N] [--small N] [--repeats R] [--dir FOLDER] [--keep]
//                 [--starts S] [--program PATH]
// The catalogue folders FOLDER/N are made with the generator's catalogue (as cdzgen --into
// makes them) unless they hold data files already. See bench/README.md, "The song browse
// benchmark".
#include <QApplication>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "bench/browse/ResidentMemory.h"
#include "bench/browse/SizeOptions.h"
#include "bench/generator/datafiles/CatalogueInto.h"
#include "bench/songbrowse/StartTimings.h"
#include "bench/songbrowse/WindowTimings.h"

namespace {

using namespace cdz;
using namespace cdz::bench;

constexpr double kMostMillis = 5.0;
constexpr double kMostRatio = 1.5;
constexpr double kMostStartMs = 500.0;
constexpr double kMostResidentMb = 150.0;
constexpr int kRounds = 2;

struct Options {
    SizeOptions sizes;
    int starts = 5;
    std::filesystem::path program;
};

bool parse(int argc, char** argv, Options& o) {
    std::vector<char*> rest = {argv[0]};
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--starts" && i + 1 < argc) {
            o.starts = std::atoi(argv[++i]);
        } else if (a == "--program" && i + 1 < argc) {
            o.program = argv[++i];
        } else {
            rest.push_back(argv[i]);
        }
    }
    return o.sizes.parse(static_cast<int>(rest.size()), rest.data()) && o.starts >= 0;
}

// Makes the catalogue unless the folder holds data files; `built` says whether it did.
bool ensureFolder(const std::filesystem::path& folder, int64_t songs, bool& built) {
    built = false;
    if (!gen::CatalogueInto::dataFilesIn(folder).empty()) return true;
    built = true;
    std::fprintf(stderr, "Making the catalogue of %lld songs in %s\n",
                 static_cast<long long>(songs), folder.c_str());
    std::filesystem::create_directories(folder);
    gen::CatalogueShape shape;
    shape.songs = songs;
    const gen::IntoResult r = gen::CatalogueInto::write(folder, shape, false);
    if (r.status == gen::IntoResult::Status::Written) return true;
    std::fprintf(stderr, "%s: %s\n", folder.c_str(), r.message.c_str());
    return false;
}

const char* verdict(bool holds) {
    return holds ? "holds" : "MISSES";
}

double median(std::vector<double> v) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

bool printTable(const char* heading, const Samples& large, const Samples& small, const Options& o,
                bool goals) {
    std::printf("\n%s (median ms):\n  %-28s %12lld %12lld %8s\n", heading, "",
                static_cast<long long>(o.sizes.small), static_cast<long long>(o.sizes.songs),
                "ratio");
    bool all = true;
    for (const std::string& name : large.names()) {
        const double l = large.median(name), s = small.median(name);
        const double ratio = s > 0 ? l / s : 0;
        const bool holds = l < kMostMillis && ratio <= kMostRatio;
        if (goals && name != "construct the window") all = all && holds;
        std::printf("  %-28s %12.3f %12.3f %8.2f  %s\n", name.c_str(), s, l, ratio,
                    goals && name != "construct the window" ? verdict(holds) : "");
    }
    return all;
}

}  // namespace

int main(int argc, char** argv) {
    Options o;
    o.sizes.dir = std::filesystem::temp_directory_path() / "cdzsongbrowse";
    o.sizes.repeats = 9;
    if (!parse(argc, argv, o)) {
        std::fprintf(stderr,
                     "usage: cdzsongbrowse [--songs N] [--small N] [--repeats R] [--dir FOLDER] "
                     "[--keep] [--starts S] [--program PATH]\n");
        return 2;
    }
    if (o.program.empty()) o.program = std::filesystem::path(argv[0]).parent_path() / "cdzapp";
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const auto large = o.sizes.folderOf(o.sizes.songs), small = o.sizes.folderOf(o.sizes.small);
    bool builtLarge = false, builtSmall = false;
    if (!ensureFolder(large, o.sizes.songs, builtLarge) ||
        !ensureFolder(small, o.sizes.small, builtSmall)) {
        return 1;
    }

    // The rounds alternate between the sizes, so that the machine's other work falls on both.
    Samples engineLarge, engineSmall, windowLarge, windowSmall;
    WindowPass first;
    for (int round = 0; round < kRounds; ++round) {
        for (const bool big : {true, false}) {
            WindowPass pass = WindowTimings::run(big ? large : small, o.sizes.repeats,
                                                 big ? engineLarge : engineSmall,
                                                 big ? windowLarge : windowSmall);
            if (!pass.ok) {
                std::fprintf(stderr, "%s: %s\n", (big ? large : small).c_str(),
                             pass.failure.c_str());
                return 1;
            }
            if (big && round == 0) first = pass;
        }
    }
    std::printf(
        "The song browse, offscreen, a page of %d rows; %d openings at each size, each "
        "figure %zu times\n",
        first.pageRows, kRounds * o.sizes.repeats, engineLarge.count("first refresh"));
    const bool engineHolds = printTable("The engine's calls", engineLarge, engineSmall, o, true);
    printTable("Through the window (its controls, sync and a repaint of the list)", windowLarge,
               windowSmall, o, false);
    std::printf("  the typed locator highlighted \"%s\" at %lld songs\n",
                first.locatedArtist.c_str(), static_cast<long long>(o.sizes.songs));
    const double openedMb = static_cast<double>(first.residentAfterOpenKb) / 1024.0;
    std::printf(
        "\nResident memory after opening at %lld songs: %.1f MB (goal under %.0f MB)  %s\n"
        "  and %.1f MB at the end of the run (peak %.1f MB)\n",
        static_cast<long long>(o.sizes.songs), openedMb, kMostResidentMb,
        verdict(openedMb < kMostResidentMb),
        static_cast<double>(ResidentMemory::kilobytes()) / 1024.0,
        static_cast<double>(ResidentMemory::peakKilobytes()) / 1024.0);

    bool startHolds = true;
    if (o.starts > 0) {
        std::printf(
            "\nThe program (%s) started with the song browse at start, %d runs each, "
            "median:\n  %-10s %14s %14s %14s %14s\n",
            o.program.c_str(), o.starts, "songs", "to painted ms", "own figure ms", "window ms",
            "resident MB");
        for (const auto& [songs, folder] :
             {std::pair{o.sizes.small, small}, {o.sizes.songs, large}}) {
            std::string failure;
            if (!StartTimings::prepare(folder, failure)) {
                std::fprintf(stderr, "%s: %s\n", folder.c_str(), failure.c_str());
                return 1;
            }
            std::vector<double> painted, own, window, resident;
            for (int r = 0; r < o.starts; ++r) {
                const StartRun run = StartTimings::run(o.program, folder);
                if (!run.ok) {
                    std::fprintf(stderr, "%s: %s\n", folder.c_str(), run.failure.c_str());
                    return 1;
                }
                painted.push_back(run.spawnToPaintedMs);
                own.push_back(run.processMs);
                window.push_back(run.windowMs);
                resident.push_back(static_cast<double>(run.residentKb) / 1024.0);
            }
            const double m = median(painted);
            startHolds = startHolds && m < kMostStartMs;
            std::printf("  %-10lld %14.0f %14.0f %14.0f %14.1f  %s\n",
                        static_cast<long long>(songs), m, median(own), median(window),
                        median(resident), verdict(m < kMostStartMs));
        }
    }
    // Only what this run made is removed.
    if (!o.sizes.keep) {
        if (builtLarge) std::filesystem::remove_all(large);
        if (builtSmall) std::filesystem::remove_all(small);
    }
    std::printf("\nSummary: engine calls %s, memory %s, start %s\n", verdict(engineHolds),
                verdict(openedMb < kMostResidentMb), verdict(startHolds));
    return 0;
}
