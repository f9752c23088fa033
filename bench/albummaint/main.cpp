// cdzalbummaint: the album housekeeping passes over copies of a small and a large catalogue.
//   cdzalbummaint [--songs N] [--small N] [--source FOLDER] [--dir FOLDER]
// The catalogue of N songs is copied from SOURCE/<N> (as cdzgen --into makes it, and as the
// browse benchmarks name their folders; made there first when missing) into DIR/<N>, since
// the passes write; the source is never changed. See bench/README.md, "The album maintenance
// benchmark".
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "app/domain/data/Catalogue.h"
#include "bench/albummaint/PassTimings.h"
#include "bench/browse/ResidentMemory.h"
#include "bench/generator/datafiles/CatalogueInto.h"

namespace {

using namespace cdz;
using namespace cdz::bench;

struct Options {
    int64_t songs = 1000000;
    int64_t small = 10000;
    std::filesystem::path source = std::filesystem::temp_directory_path() / "sbench";
    std::filesystem::path dir = std::filesystem::temp_directory_path() / "mbench";
    // A catalogue on a server (copied there from the large folder beforehand): the passes run
    // over it instead of the folders.
    OnServer server;
};

bool parse(int argc, char** argv, Options& o) {
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        const bool more = i + 1 < argc;
        if (a == "--songs" && more) {
            o.songs = std::atoll(argv[++i]);
        } else if (a == "--small" && more) {
            o.small = std::atoll(argv[++i]);
        } else if (a == "--source" && more) {
            o.source = argv[++i];
        } else if (a == "--dir" && more) {
            o.dir = argv[++i];
        } else if (a == "--server" && more) {
            o.server.conninfo = argv[++i];
        } else if (a == "--catalogue" && more) {
            o.server.catalogue = argv[++i];
        } else {
            return false;
        }
    }
    return o.songs > 0 && o.small > 0;
}

// A fresh copy of the source catalogue of `songs` songs, made first when the source lacks it.
bool copyCatalogue(const Options& o, int64_t songs, std::filesystem::path& copy) {
    const std::filesystem::path from = o.source / std::to_string(songs);
    if (gen::CatalogueInto::dataFilesIn(from).empty()) {
        std::fprintf(stderr, "Making the catalogue of %lld songs in %s\n",
                     static_cast<long long>(songs), from.c_str());
        std::filesystem::create_directories(from);
        gen::CatalogueShape shape;
        shape.songs = songs;
        const gen::IntoResult r = gen::CatalogueInto::write(from, shape, false);
        if (r.status != gen::IntoResult::Status::Written) {
            std::fprintf(stderr, "%s: %s\n", from.c_str(), r.message.c_str());
            return false;
        }
    }
    copy = o.dir / std::to_string(songs);
    std::error_code ec;
    std::filesystem::remove_all(copy, ec);
    std::filesystem::create_directories(copy, ec);
    for (const auto& file : gen::CatalogueInto::dataFilesIn(from)) {
        const std::filesystem::path to = copy / file.filename();
        std::filesystem::copy_file(file, to, ec);
        if (ec) {
            std::fprintf(stderr, "%s: %s\n", to.c_str(), ec.message().c_str());
            return false;
        }
    }
    return true;
}

void print(const char* pass, int64_t size, const PassTimings& t) {
    std::printf(
        "  %-14s %9lld songs  %8.2f s  %9.0f songs/s  rewritten %8lld  albums made %6lld"
        "  batches %5lld (slowest %6.1f ms)  RSS start/middle/end %lld/%lld/%lld MB%s%s\n",
        pass, static_cast<long long>(size), t.seconds, t.songsPerSecond(),
        static_cast<long long>(t.rewritten), static_cast<long long>(t.albumsCreated),
        static_cast<long long>(t.batches), t.slowestBatchMs,
        static_cast<long long>(t.startKb / 1024), static_cast<long long>(t.middleKb / 1024),
        static_cast<long long>(t.endKb / 1024),
        t.ok ? "" : "  FAILED: ", t.ok ? "" : t.error.c_str());
}

}  // namespace

int main(int argc, char** argv) {
    Options o;
    if (!parse(argc, argv, o)) {
        std::fprintf(stderr,
                     "usage: cdzalbummaint [--songs N] [--small N] [--source FOLDER] "
                     "[--dir FOLDER] [--server URL --catalogue NAME]\n");
        return 2;
    }
    bool all = true;
    double rate[2][2] = {};
    const int64_t sizes[2] = {o.small, o.songs};
    // On a server the large catalogue alone, as copied there.
    for (int s = o.server.conninfo.empty() ? 0 : 1; s < 2; ++s) {
        std::filesystem::path folder;
        if (!copyCatalogue(o, sizes[s], folder)) return 1;
        Catalogue catalogue(folder, o.server);
        std::printf("%lld songs (copy in %s):\n", static_cast<long long>(sizes[s]), folder.c_str());
        const MaintenancePass passes[2] = {MaintenancePass::CopyToAlbum,
                                           MaintenancePass::TestAlbumIDs};
        const char* names[2] = {"CopyToAlbum", "TestAlbumIDs"};
        for (int p = 0; p < 2; ++p) {
            const PassTimings t = PassTimings::measure(catalogue, passes[p]);
            print(names[p], sizes[s], t);
            rate[s][p] = t.songsPerSecond();
            all = all && t.ok;
        }
        // Again over the catalogue the passes left consistent: nothing is rewritten.
        const PassTimings again = PassTimings::measure(catalogue, MaintenancePass::CopyToAlbum);
        print("CopyToAlbum 2", sizes[s], again);
        all = all && again.ok && again.rewritten == 0;
    }
    std::printf("songs per second, large against small: CopyToAlbum %.2f, TestAlbumIDs %.2f\n",
                rate[0][0] > 0 ? rate[1][0] / rate[0][0] : 0,
                rate[0][1] > 0 ? rate[1][1] / rate[0][1] : 0);
    std::printf("peak resident memory %lld MB\n",
                static_cast<long long>(ResidentMemory::peakKilobytes() / 1024));
    return all ? 0 : 1;
}
