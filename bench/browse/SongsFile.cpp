#include "bench/browse/SongsFile.h"

#include <cstdio>

#include "app/core/data/Catalogue.h"
#include "bench/generator/CategoryMaker.h"
#include "bench/generator/SongGenerator.h"
#include "bench/storage/SongRows.h"
#include "bench/storage/Stopwatch.h"

namespace cdz::bench {
namespace {

// Songs added in one stream before it is flushed: the storage benchmark's single stream, cut
// into pieces so that a long build shows its progress and holds no more than a piece unsaved.
constexpr int64_t kBatch = 100000;

}  // namespace

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
    DataFile& categories = cat.file(CatalogueFile::Categories);
    for (const gen::CategoryRecord& c : gen::CategoryMaker::make(shape.seed, kCategories)) {
        cat.category().CategoryID = c.CategoryID;
        cat.category().Category = c.Category;
        if (categories.add()) return fail("category: " + categories.error().driverText);
    }
    DataFile& file = cat.file(CatalogueFile::Cadenzio);
    gen::SongGenerator generator(shape);
    gen::SongRecord song;
    int64_t added = 0;
    bool more = true;
    while (more) {
        if (file.stream()) return fail("stream: " + file.error().driverText);
        int64_t inBatch = 0;
        while (inBatch < kBatch && (more = generator.next(song))) {
            SongRows::fill(song, cat.song());
            if (file.add()) return fail("add: " + file.error().driverText);
            ++inBatch;
        }
        if (file.flush()) return fail("flush: " + file.error().driverText);
        added += inBatch;
        if (songs >= 10 * kBatch && inBatch > 0) {
            std::printf("  %lld songs, %.0f s\r", static_cast<long long>(added), w.seconds());
            std::fflush(stdout);
        }
    }
    if (songs >= 10 * kBatch) std::printf("\n");
    if (file.records() != songs) return fail("record count " + std::to_string(file.records()));
    out.seconds = w.seconds();
    return out;
}

}  // namespace cdz::bench
