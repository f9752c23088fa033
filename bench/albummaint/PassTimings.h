#pragma once
// One housekeeping pass driven batch by batch to its end, as its window drives it: the time it
// took, the songs it went through and rewrote, and the resident memory at its start, middle
// and end.
#include <cstdint>
#include <string>

#include "app/albums/maintenance/MaintenanceRun.h"

namespace cdz::bench {

struct PassTimings {
    bool ok = false;
    std::string error;
    double seconds = 0;
    int64_t songs = 0;
    int64_t rewritten = 0;
    int64_t albumsCreated = 0;
    int64_t batches = 0;
    double slowestBatchMs = 0;
    int64_t startKb = 0;
    int64_t middleKb = 0;
    int64_t endKb = 0;

    double songsPerSecond() const { return seconds > 0 ? static_cast<double>(songs) / seconds : 0; }

    static PassTimings measure(Catalogue& catalogue, MaintenancePass pass);
};

}  // namespace cdz::bench
