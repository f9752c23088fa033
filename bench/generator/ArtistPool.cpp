#include "bench/generator/ArtistPool.h"

#include <unordered_set>

#include "bench/generator/CatalogueRecords.h"
#include "bench/generator/NameMaker.h"
#include "bench/generator/TextCut.h"

namespace cdz::gen {

namespace {

constexpr uint64_t kArtistStream = 0x4152544953540000ULL;
// Offset of the popularity law: the top artist holds about one song in a hundred rather
// than one in ten, as in a real collection.
constexpr uint32_t kPopularityOffset = 8;
constexpr int kFreshNameTries = 6;

}  // namespace

ArtistPool::ArtistPool(uint64_t seed, uint32_t artistCount)
    : popularity_(artistCount == 0 ? 1 : artistCount, kPopularityOffset) {
    const uint32_t count = popularity_.size();
    names_.reserve(count);
    std::unordered_set<std::string> used;
    used.reserve(count);
    Rng rng(mixSeed(seed, kArtistStream));
    for (uint32_t rank = 0; rank < count; ++rank) {
        std::string name = NameMaker::artistName(rng);
        for (int attempt = 0; attempt < kFreshNameTries && used.contains(name); ++attempt) {
            name = NameMaker::artistName(rng);
        }
        // Once the word lists run dry, namesakes are told apart by a number, as record
        // databases do.
        const std::string base = name;
        for (int n = 2; used.contains(name); ++n) {
            const std::string suffix = " (" + std::to_string(n) + ")";
            name = cutToChars(base, width::kArtist - suffix.size()) + suffix;
        }
        used.insert(name);
        names_.push_back(std::move(name));
    }
}

}  // namespace cdz::gen
