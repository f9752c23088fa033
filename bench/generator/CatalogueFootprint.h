#pragma once
// The memory a catalogue's songs or albums take to generate: the artist pool (names, place in
// the popularity law, and while the pool is made the set that keeps the names apart) is held
// whole and grows with the songs; the rest is small and fixed. A size that would not fit is
// refused before anything is written, instead of dying half-way for want of memory.
#include <cstdint>
#include <optional>
#include <string>

#include "bench/generator/CatalogueShape.h"

namespace cdz::gen {

class CatalogueFootprint {
public:
    // Measured at the peak of making the pool (one million artists take about 233 MiB).
    static constexpr uint64_t kBytesPerArtist = 256;
    static constexpr uint64_t kFixedBytes = uint64_t{32} << 20;

    static uint64_t bytes(const CatalogueShape& shape);
    // The most songs whose catalogue fits in `memory` bytes (0 when none does).
    static int64_t mostSongs(uint64_t memory);
    // Why the catalogue cannot be made in `memory` bytes, or nullopt when it can.
    static std::optional<std::string> refusal(const CatalogueShape& shape, uint64_t memory);
    // The machine's physical memory in bytes (0 when it cannot be told).
    static uint64_t physicalMemory();
};

}  // namespace cdz::gen
