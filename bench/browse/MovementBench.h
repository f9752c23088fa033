#pragma once
// The browse engine's movements over the songs file in artist order (the songs browse's first
// sort order, joined to the categories), timed one by one with a page of 30 visible rows:
// both ends, a page and a row either way, a locate by a typed prefix and thumb drops. The
// resident memory after the first page and after a thousand mixed movements tells whether a
// movement leaves anything behind.
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/domain/data/Catalogue.h"
#include "app/engine/browse/BrowseEngine.h"
#include "runtime/expr/Bindings.h"

namespace cdz::bench {

enum class Movement {
    Top,
    Bottom,
    PageDown,
    PageUp,
    OneDown,
    OneUp,
    Locate,  // one typed character of a three-character prefix
    Typed3,  // the three characters together
    Drop10,
    Drop50,
    Drop90,
};
inline constexpr int kMovements = 11;
const char* movementName(Movement m);

// Milliseconds of each repetition of one movement: wall-clock time, and the thread's CPU time,
// which tells the engine's own work from time slices the machine gave to other processes.
class Samples {
public:
    void add(double wallMs, double cpuMs) {
        wall_.push_back(wallMs);
        cpu_.push_back(cpuMs);
    }
    double median() const { return quantile(wall_, 0.5); }
    double p95() const { return quantile(wall_, 0.95); }
    double cpuP95() const { return quantile(cpu_, 0.95); }
    size_t count() const { return wall_.size(); }

private:
    static double quantile(std::vector<double> v, double q);
    std::vector<double> wall_, cpu_;
};

struct BrowseFigures {
    std::array<Samples, kMovements> movements;
    int64_t rssFirstPage = 0;   // kB, once the engine shows its first page
    int64_t rssAfterMixed = 0;  // kB, after `mixed` further movements
    int64_t rssAtEnd = 0;       // kB, after the timed repetitions too
    int64_t movementsMade = 0;  // every movement since the first page
    int prefixesTyped = 0;
    int locateMisses = 0;   // typed prefixes whose highlighted artist did not begin with it
    std::string firstMiss;  // the first of them: the prefix and the artist highlighted
    bool ok = true;
    std::string failure;
};

// One songs browse over one catalogue. The benchmark keeps one for each size alive and times
// them in alternating rounds, so that what else the machine does falls on both alike.
class MovementBench {
public:
    static constexpr int kRows = 30;

    // The songs and categories files must be in use in `catalogue`. `artists`: names of songs
    // in the file, whose first three characters are typed. Shows the first page.
    MovementBench(Catalogue& catalogue, const std::vector<std::string>& artists);
    ~MovementBench();
    MovementBench(const MovementBench&) = delete;
    MovementBench& operator=(const MovementBench&) = delete;

    // `count` untimed movements of every kind all through the file (they also warm the caches).
    void mixed(int count);
    // Each movement `repeats` times, timed.
    void timedRound(int repeats);
    const BrowseFigures& figures() const { return out_; }

private:
    bool sound(const char* what);
    std::pair<double, double> timed(Movement m, const std::function<void()>& move);
    void untimed(const std::function<void()>& move);
    void typePrefix(const std::u32string& prefix, bool timing);
    const std::u32string& nextPrefix();

    Bindings bindings_;
    std::string warning_;
    std::unique_ptr<BrowseEngine> engine_;
    std::vector<std::u32string> prefixes_;
    size_t prefix_ = 0;  // the next prefix to type
    size_t place_ = 0;   // the next place page and row movements start from
    BrowseFigures out_;
};

}  // namespace cdz::bench
