// cdzrename: renaming the media name the most songs use, through the media file's update
// procedure, at a small and a large catalogue.
//   cdzrename [--songs N] [--small N] [--repeats R] [--dir FOLDER] [--keep]
// Builds the two catalogues (default 1,000,000 and 100,000 songs) unless --dir already holds
// them, renames the name R times (default 5) back and forth in each, checking every rename,
// and prints the median time, the songs moved per second, the ratio of the two sizes and the
// resident memory. See bench/README.md, "The rename benchmark".
#include <QCoreApplication>
#include <QSysInfo>
#include <algorithm>
#include <cstdio>
#include <string>
#include <thread>
#include <utility>

#include "bench/browse/SizeOptions.h"
#include "bench/browse/SongsFile.h"
#include "bench/rename/RenameBench.h"

namespace {

using namespace cdz;
using namespace cdz::bench;

SizeOptions defaults() {
    SizeOptions o;
    o.small = 100000;
    o.repeats = 5;
    o.dir = std::filesystem::temp_directory_path() / "cdzrename";
    return o;
}

// Renames in the catalogue of `songs`; false (having said why) when a rename failed.
bool measure(const SizeOptions& o, int64_t songs, RenameFigures& out) {
    Catalogue cat(o.folderOf(songs));
    RenameBench bench(cat);
    if (bench.prepare()) bench.run(o.repeats);
    out = bench.figures();
    if (!out.ok) {
        std::fprintf(stderr, "%lld songs: %s\n", static_cast<long long>(songs),
                     out.failure.c_str());
    }
    return out.ok;
}

double perSong(const RenameFigures& f) {
    return f.songs > 0 ? f.medianSeconds() / static_cast<double>(f.songs) : 0;
}

void report(const SizeOptions& o, const RenameFigures& large, const RenameFigures& small) {
    std::printf("\nRenaming the media name the most songs use, median of %d renames:\n",
                static_cast<int>(large.seconds.size()));
    std::printf("  %10s  %-20s %12s %10s %14s %12s %12s %12s\n", "catalogue", "media",
                "songs moved", "seconds", "songs/second", "fastest s", "slowest s", "cpu s");
    for (const auto& [songs, f] : {std::pair{o.small, &small}, std::pair{o.songs, &large}}) {
        const auto [lo, hi] = std::minmax_element(f->seconds.begin(), f->seconds.end());
        std::printf("  %10lld  %-20s %12lld %10.3f %14.0f %12.3f %12.3f %12.3f\n",
                    static_cast<long long>(songs), f->media.c_str(),
                    static_cast<long long>(f->songs), f->medianSeconds(),
                    f->medianSeconds() > 0 ? static_cast<double>(f->songs) / f->medianSeconds() : 0,
                    *lo, *hi, f->medianCpu());
    }
    const double ratio = perSong(small) > 0 ? perSong(large) / perSong(small) : 0;
    std::printf("  time per song, %lld songs / %lld songs: %.2f\n", static_cast<long long>(o.songs),
                static_cast<long long>(o.small), ratio);
    // The small catalogue is renamed in the same process afterwards: its memory figures would
    // hold what the large one left, so only the large one's are shown.
    std::printf(
        "\nResident memory at %lld songs: %.1f MB with the files open, %.1f MB after the renames, "
        "peak %.1f MB\n",
        static_cast<long long>(o.songs), large.rssOpen / 1024.0, large.rssAfter / 1024.0,
        large.rssPeak / 1024.0);
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    SizeOptions o = defaults();
    if (!o.parse(argc, argv)) {
        std::fprintf(stderr,
                     "usage: cdzrename [--songs N] [--small N] [--repeats R] [--dir FOLDER] "
                     "[--keep]\n");
        return 2;
    }
    // The memory figures are the measurement's alone: after building, a fresh process measures.
    if (const int code = SongsFile::prepare(o, argv); code >= 0) return code;
    std::printf("Machine: %s, %u hardware threads\n",
                QSysInfo::prettyProductName().toStdString().c_str(),
                std::thread::hardware_concurrency());

    // The large catalogue first, alone in the process, for its memory figures.
    RenameFigures large, small;
    const bool ok = measure(o, o.songs, large) && measure(o, o.small, small);
    if (ok) report(o, large, small);
    if (!o.keep) std::filesystem::remove_all(o.dir);
    return ok ? 0 : 1;
}
