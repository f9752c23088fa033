#pragma once
// A catalogue folder holding a generated songs file of a given size and its categories, built
// once and kept: a folder that already holds them is used as it is.
#include <cstdint>
#include <filesystem>
#include <string>

#include "bench/browse/SizeOptions.h"

namespace cdz::bench {

struct SongsFileState {
    bool ok = true;
    bool built = false;  // false when the folder already held the files
    double seconds = 0;  // building time
    std::string failure;
};

class SongsFile {
public:
    static constexpr int32_t kCategories = 200;

    static SongsFileState ensure(const std::filesystem::path& folder, int64_t songs);
    // Both catalogues of the options, built when missing. After a build the process starts
    // itself again (argv), so that its memory figures hold the measurement alone. -1 to go on
    // measuring, else the exit status to end with (1 when a build or the restart failed).
    static int prepare(const SizeOptions& options, char** argv);

private:
    static bool present(const std::filesystem::path& folder, int64_t songs);
};

}  // namespace cdz::bench
