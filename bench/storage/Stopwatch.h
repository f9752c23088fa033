#pragma once
// Wall-clock timing for the benchmark: a stopwatch, and the median of repeated runs.
#include <algorithm>
#include <chrono>
#include <functional>
#include <vector>

namespace cdz::bench {

class Stopwatch {
public:
    Stopwatch() : start_(std::chrono::steady_clock::now()) {}
    double seconds() const {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
    }
    double millis() const { return seconds() * 1000.0; }

    // The median time in milliseconds of `runs` calls of `f`.
    static double medianMillis(int runs, const std::function<void()>& f) {
        std::vector<double> times;
        for (int i = 0; i < runs; ++i) {
            Stopwatch w;
            f();
            times.push_back(w.millis());
        }
        std::sort(times.begin(), times.end());
        return times[times.size() / 2];
    }

private:
    std::chrono::steady_clock::time_point start_;
};

}  // namespace cdz::bench
