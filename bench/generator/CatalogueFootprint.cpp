#include "bench/generator/CatalogueFootprint.h"

#include <unistd.h>

namespace cdz::gen {

namespace {

std::string mebibytes(uint64_t bytes) {
    return std::to_string((bytes + (uint64_t{1} << 19)) >> 20) + " MiB";
}

}  // namespace

uint64_t CatalogueFootprint::bytes(const CatalogueShape& shape) {
    return kFixedBytes + uint64_t{shape.artists()} * kBytesPerArtist;
}

int64_t CatalogueFootprint::mostSongs(uint64_t memory) {
    if (memory < bytes(CatalogueShape{1, 0, 0})) return 0;
    // One artist for every twelve songs: the songs up to the next artist come free.
    const uint64_t artists = (memory - kFixedBytes) / kBytesPerArtist;
    const uint64_t songs = artists * 12 + 11;
    return songs > INT32_MAX ? INT32_MAX : static_cast<int64_t>(songs);
}

std::optional<std::string> CatalogueFootprint::refusal(const CatalogueShape& shape,
                                                       uint64_t memory) {
    const uint64_t need = bytes(shape);
    if (memory == 0 || need <= memory) return std::nullopt;
    return "a catalogue of " + std::to_string(shape.songs) + " songs needs about " +
           mebibytes(need) + " of memory for its " + std::to_string(shape.artists()) +
           " artists, more than the " + mebibytes(memory) + " of this machine; at most " +
           std::to_string(mostSongs(memory)) + " songs fit";
}

uint64_t CatalogueFootprint::physicalMemory() {
    const long pages = sysconf(_SC_PHYS_PAGES);
    const long pageSize = sysconf(_SC_PAGE_SIZE);
    if (pages <= 0 || pageSize <= 0) return 0;
    return static_cast<uint64_t>(pages) * static_cast<uint64_t>(pageSize);
}

}  // namespace cdz::gen
