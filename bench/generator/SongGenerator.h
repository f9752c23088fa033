#pragma once
// The songs of a catalogue, record by record, without holding the catalogue: album after
// album (tracks in order, numbered from the albums generator of the same shape), with songs
// on no album in between. Song numbers run 1..songs.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "bench/generator/AlbumGenerator.h"
#include "bench/generator/ArtistPool.h"
#include "bench/generator/CatalogueRecords.h"
#include "bench/generator/CatalogueShape.h"
#include "bench/generator/Rng.h"
#include "bench/generator/ZipfTable.h"

namespace cdz::gen {

class SongGenerator {
public:
    explicit SongGenerator(const CatalogueShape& shape);
    SongGenerator(const SongGenerator&) = delete;
    SongGenerator& operator=(const SongGenerator&) = delete;

    // Fills song with the next record; false once every song has been produced.
    bool next(SongRecord& song);
    int64_t produced() const { return produced_; }
    // Albums started so far: every non-zero MUS:AlbumID is at most this.
    int32_t albumsUsed() const { return albums_.produced(); }

private:
    void albumTrack(SongRecord& song);
    void looseSong(SongRecord& song);
    void commonFields(SongRecord& song);
    int32_t pickCategory();
    // Remembers recent (artist, title) pairs so that later songs can repeat them, as singles,
    // live versions and compilations do.
    void remember(const SongRecord& song);
    const std::pair<std::string, std::string>& recall();

    CatalogueShape shape_;
    Rng rng_;
    ArtistPool artists_;
    AlbumGenerator albums_;
    ZipfTable categories_;
    const AlbumPlan* album_ = nullptr;
    std::size_t track_ = 0;
    int64_t produced_ = 0;
    std::vector<std::pair<std::string, std::string>> recent_;
    std::size_t recentNext_ = 0;
};

}  // namespace cdz::gen
