#include "bench/browse/SongsFile.h"

#include <unistd.h>

#include <cstdio>

#include "app/domain/data/Catalogue.h"
#include "bench/generator/datafiles/CatalogueFiller.h"
#include "bench/storage/Stopwatch.h"

namespace cdz::bench {

bool SongsFile::present(const std::filesystem::path& folder, int64_t songs) {
    if (!std::filesystem::exists(folder)) return false;
    Catalogue cat(folder);
    if (cat.use(CatalogueFile::Cadenzio) || cat.use(CatalogueFile::Categories)) return false;
    return cat.file(CatalogueFile::Cadenzio).records() == songs &&
           cat.file(CatalogueFile::Categories).records() == kCategories;
}

SongsFileState SongsFile::ensure(const std::filesystem::path& folder, int64_t songs) {
    SongsFileState out;
    if (present(folder, songs)) return out;
    out.built = true;
    auto fail = [&](std::string why) {
        out.ok = false;
        out.failure = folder.string() + ": " + std::move(why);
        return out;
    };
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    Stopwatch w;
    Catalogue cat(folder);
    if (cat.use(CatalogueFile::Categories) || cat.use(CatalogueFile::Cadenzio)) {
        return fail("cannot create the files: " + cat.database().error().text);
    }
    gen::CatalogueShape shape;
    shape.songs = songs;
    shape.categories = kCategories;
    gen::CatalogueFiller filler(cat, shape);
    if (std::string why = filler.addCategories(); !why.empty()) return fail(why);
    // A long build shows its progress, a batch of songs at a time.
    const bool big = songs >= 10 * gen::CatalogueFiller::kBatch;
    auto progress = [&](int64_t added) {
        if (!big) return;
        std::printf("  %lld songs, %.0f s\r", static_cast<long long>(added), w.seconds());
        std::fflush(stdout);
    };
    if (std::string why = filler.addSongs(progress); !why.empty()) return fail(why);
    if (big) std::printf("\n");
    DataFile& file = cat.file(CatalogueFile::Cadenzio);
    if (file.records() != songs) return fail("record count " + std::to_string(file.records()));
    out.seconds = w.seconds();
    return out;
}

int SongsFile::prepare(const SizeOptions& o, char** argv) {
    bool built = false;
    for (int64_t songs : {o.small, o.songs}) {
        SongsFileState s = ensure(o.folderOf(songs), songs);
        if (!s.ok) {
            std::fprintf(stderr, "building the songs file failed: %s\n", s.failure.c_str());
            return 1;
        }
        if (s.built) {
            built = true;
            std::printf("Built the songs file of %lld songs in %.1f s\n",
                        static_cast<long long>(songs), s.seconds);
        }
    }
    if (!built) return -1;
    std::fflush(stdout);
    execv("/proc/self/exe", argv);
    std::fprintf(stderr, "cannot start the measuring process\n");
    return 1;
}

}  // namespace cdz::bench
