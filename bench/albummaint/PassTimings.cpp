#include "bench/albummaint/PassTimings.h"

#include <algorithm>
#include <chrono>

#include "bench/browse/ResidentMemory.h"

namespace cdz::bench {

namespace {
using Clock = std::chrono::steady_clock;

double millisSince(Clock::time_point t) {
    return std::chrono::duration<double, std::milli>(Clock::now() - t).count();
}
}  // namespace

PassTimings PassTimings::measure(Catalogue& catalogue, MaintenancePass pass) {
    PassTimings t;
    t.startKb = ResidentMemory::kilobytes();
    const auto start = Clock::now();
    MaintenanceRun run(catalogue, pass);
    if (!run.start()) {
        t.error = run.faultError().text;
        return t;
    }
    bool more = true;
    while (more) {
        const auto batch = Clock::now();
        more = run.step();
        t.slowestBatchMs = std::max(t.slowestBatchMs, millisSince(batch));
        ++t.batches;
        if (t.middleKb == 0 && run.done() * 2 >= run.total()) {
            t.middleKb = ResidentMemory::kilobytes();
        }
    }
    t.seconds = millisSince(start) / 1000.0;
    t.endKb = ResidentMemory::kilobytes();
    t.ok = !run.fault();
    if (!t.ok) t.error = run.faultError().text + " " + run.faultError().driverText;
    t.songs = run.done();
    t.rewritten = run.rewritten();
    t.albumsCreated = run.tally().albumsCreated;
    return t;
}

}  // namespace cdz::bench
