// cdzalbumbrowse: the album browse window, offscreen, over a small and a large catalogue.
//   cdzalbumbrowse [--albums N] [--small N] [--repeats R] [--dir FOLDER] [--keep]
// The catalogue of N albums is the generator's catalogue of 10*N songs, made in FOLDER/<songs>
// (as cdzgen --into makes it, and as the song browse benchmark names its folders) unless the
// folder holds data files already. See bench/README.md, "The album browse benchmark".
#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/albumbrowse/AlbumTimings.h"
#include "bench/browse/ResidentMemory.h"
#include "bench/generator/datafiles/CatalogueInto.h"

namespace {

using namespace cdz;
using namespace cdz::bench;

constexpr double kMostMillis = 5.0;
constexpr double kMostRatio = 1.5;
constexpr int kRounds = 2;
// The generator's catalogues hold one album for every ten songs.
constexpr int64_t kSongsPerAlbum = 10;

struct Options {
    int64_t albums = 100000;
    int64_t small = 1000;
    int repeats = 9;
    std::filesystem::path dir = std::filesystem::temp_directory_path() / "cdzalbumbrowse";
    bool keep = false;

    std::filesystem::path folderOf(int64_t count) const {
        return dir / std::to_string(count * kSongsPerAlbum);
    }
};

bool parse(int argc, char** argv, Options& o) {
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        const bool more = i + 1 < argc;
        if (a == "--albums" && more) {
            o.albums = std::atoll(argv[++i]);
        } else if (a == "--small" && more) {
            o.small = std::atoll(argv[++i]);
        } else if (a == "--repeats" && more) {
            o.repeats = std::atoi(argv[++i]);
        } else if (a == "--dir" && more) {
            o.dir = argv[++i];
        } else if (a == "--keep") {
            o.keep = true;
        } else {
            return false;
        }
    }
    return o.albums > 0 && o.small > 0 && o.repeats > 0;
}

// Makes the catalogue unless the folder holds data files; `built` says whether it did.
bool ensureFolder(const std::filesystem::path& folder, int64_t albums, bool& built) {
    built = false;
    if (!gen::CatalogueInto::dataFilesIn(folder).empty()) return true;
    built = true;
    gen::CatalogueShape shape;
    shape.songs = albums * kSongsPerAlbum;
    std::fprintf(stderr, "Making the catalogue of %lld albums (%lld songs) in %s\n",
                 static_cast<long long>(albums), static_cast<long long>(shape.songs),
                 folder.c_str());
    std::filesystem::create_directories(folder);
    const gen::IntoResult r = gen::CatalogueInto::write(folder, shape, false);
    if (r.status == gen::IntoResult::Status::Written) return true;
    std::fprintf(stderr, "%s: %s\n", folder.c_str(), r.message.c_str());
    return false;
}

const char* verdict(bool holds) {
    return holds ? "holds" : "MISSES";
}

bool printTable(const char* heading, const Samples& large, const Samples& small, const Options& o,
                bool goals) {
    std::printf("\n%s (median ms):\n  %-30s %10lld %10lld %8s\n", heading, "albums",
                static_cast<long long>(o.small), static_cast<long long>(o.albums), "ratio");
    bool all = true;
    for (const std::string& name : large.names()) {
        const double l = large.median(name), s = small.median(name);
        const double ratio = s > 0 ? l / s : 0;
        const bool holds = l < kMostMillis && ratio <= kMostRatio;
        const bool goal = goals && name != "construct the window";
        if (goal) all = all && holds;
        std::printf("  %-30s %10.3f %10.3f %8.2f  %s\n", name.c_str(), s, l, ratio,
                    goal ? verdict(holds) : "");
    }
    return all;
}

}  // namespace

int main(int argc, char** argv) {
    Options o;
    if (!parse(argc, argv, o)) {
        std::fprintf(stderr,
                     "usage: cdzalbumbrowse [--albums N] [--small N] [--repeats R] "
                     "[--dir FOLDER] [--keep]\n");
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const auto large = o.folderOf(o.albums), small = o.folderOf(o.small);
    bool builtLarge = false, builtSmall = false;
    if (!ensureFolder(large, o.albums, builtLarge) || !ensureFolder(small, o.small, builtSmall)) {
        return 1;
    }

    // The rounds alternate between the sizes, so that the machine's other work falls on both.
    Samples engineLarge, engineSmall, windowLarge, windowSmall;
    AlbumPass first, firstSmall;
    for (int round = 0; round < kRounds; ++round) {
        for (const bool big : {true, false}) {
            AlbumPass pass =
                AlbumTimings::run(big ? large : small, o.repeats, big ? engineLarge : engineSmall,
                                  big ? windowLarge : windowSmall);
            if (!pass.ok) {
                std::fprintf(stderr, "%s: %s\n", (big ? large : small).c_str(),
                             pass.failure.c_str());
                return 1;
            }
            if (round == 0) (big ? first : firstSmall) = pass;
        }
    }
    std::printf(
        "The album browse, offscreen, a page of %d rows over %lld and %lld albums; %d openings "
        "at each size, each figure %zu times\n",
        first.pageRows, static_cast<long long>(firstSmall.albums),
        static_cast<long long>(first.albums), kRounds * o.repeats,
        engineLarge.count("first refresh"));
    const bool engineHolds = printTable("The engine's calls", engineLarge, engineSmall, o, true);
    printTable("Through the window (its controls, sync and a repaint of the list)", windowLarge,
               windowSmall, o, false);
    std::printf("\nResident memory after opening at %lld albums: %.1f MB, at the end %.1f MB\n",
                static_cast<long long>(first.albums),
                static_cast<double>(first.residentAfterOpenKb) / 1024.0,
                static_cast<double>(ResidentMemory::kilobytes()) / 1024.0);
    // Only what this run made is removed.
    if (!o.keep) {
        if (builtLarge) std::filesystem::remove_all(large);
        if (builtSmall) std::filesystem::remove_all(small);
    }
    std::printf("\nSummary: engine calls %s\n", verdict(engineHolds));
    return 0;
}
