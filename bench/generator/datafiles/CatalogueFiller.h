#pragma once
// Adds a generated catalogue to the program's files through its data layer: the songs in
// streams of kBatch songs, each flushed (a long run holds no more than a batch unsaved and can
// show its progress), the other files in one stream each. The files must be in use. Every
// song is checked against the files it refers to, so a generator that drifted from its own
// albums, categories or media is caught rather than stored.
#include <cstdint>
#include <functional>
#include <string>

#include "app/domain/data/Catalogue.h"
#include "bench/generator/CatalogueRecords.h"
#include "bench/generator/CatalogueShape.h"

namespace cdz::gen {

struct FillCounts {
    int64_t songs = 0;
    int64_t albums = 0;
    int64_t categories = 0;
    int64_t media = 0;
    int64_t playlists = 0;
    int64_t playlistEntries = 0;
};

class CatalogueFiller {
public:
    static constexpr int64_t kBatch = 100000;
    // Called after each flushed batch of songs with the songs added so far.
    using Progress = std::function<void(int64_t songs)>;

    CatalogueFiller(Catalogue& catalogue, const CatalogueShape& shape);

    // Each returns an empty text on success, else what failed.
    std::string addCategories();
    std::string addMedia();
    std::string addSongs(const Progress& progress = {});
    // Albums 1..count; fails when a song added before names an album beyond them.
    std::string addAlbums(int32_t count);
    // One playlist for every kSongsAPlaylist songs (at least one), each of kPlaylistLength
    // songs drawn from those added, so the playlist windows and printouts have work.
    static constexpr int64_t kSongsAPlaylist = 1000;
    static constexpr int32_t kPlaylistLength = 20;
    std::string addPlaylists();

    // The highest album number a song added so far is on (0: none).
    int32_t albumsNamed() const { return albumsNamed_; }
    const FillCounts& counts() const { return counts_; }

private:
    std::string failure(DataFile& file, const std::string& what) const;
    std::string checkLinks(const SongRecord& song);

    Catalogue& catalogue_;
    CatalogueShape shape_;
    FillCounts counts_;
    int32_t albumsNamed_ = 0;
};

}  // namespace cdz::gen
