#pragma once
// The program itself started over a catalogue folder, offscreen, with the song browse among the
// start-up browses: the time from starting the process to the line the browse writes once its
// first page is painted (CDZ_REPORT_FIRST_PAGE), and the program's resident memory then.
#include <cstdint>
#include <filesystem>
#include <string>

namespace cdz::bench {

struct StartRun {
    bool ok = false;
    std::string failure;
    double spawnToPaintedMs = 0;  // measured here, from starting the process
    double processMs = 0;         // the program's own figure since its process was created
    double windowMs = 0;          // since the browse window was created
    int64_t residentKb = 0;       // the program's VmRSS when the line came
};

class StartTimings {
public:
    // Sets the folder's settings so that the song browse opens at start.
    static bool prepare(const std::filesystem::path& folder, std::string& failure);
    static StartRun run(const std::filesystem::path& program, const std::filesystem::path& folder);
};

}  // namespace cdz::bench
