#pragma once
// Albums of a catalogue, one after the other (numbers 1, 2, 3, ...). Each album comes with the
// plan of its tracks so that the songs generator and the albums file agree: album k is the
// same in both. (Album, artist) pairs and CD identifiers are unique, as their keys demand.
#include <cstdint>
#include <string>
#include <unordered_set>
#include <vector>

#include "bench/generator/ArtistPool.h"
#include "bench/generator/CatalogueRecords.h"
#include "bench/generator/CatalogueShape.h"
#include "bench/generator/ZipfTable.h"

namespace cdz::gen {

struct AlbumPlan {
    AlbumRecord record;
    bool compilation = false;         // artist "Various"; every track has its own artist
    std::string sideLetters;          // "AB", "12" or empty: how the sides are named
    std::vector<int32_t> trackTimes;  // time values, one per track (8..20 tracks)
};

class AlbumGenerator {
public:
    static constexpr int kMinTracks = 8;
    static constexpr int kMaxTracks = 20;

    AlbumGenerator(const CatalogueShape& shape, const ArtistPool& artists);

    // The next album; the reference stays valid until the following call.
    const AlbumPlan& next();
    int32_t produced() const { return nextId_ - 1; }

private:
    void makeUniqueTitle(Rng& rng);

    CatalogueShape shape_;
    const ArtistPool& artists_;
    ZipfTable categories_;
    int32_t nextId_ = 1;
    uint32_t nextDebut_ = 0;  // rank of the next artist without an album
    AlbumPlan plan_;
    std::unordered_set<std::string> usedKeys_;  // artist + '\n' + album
};

}  // namespace cdz::gen
