#pragma once
// The command line the catalogue benchmarks share: the two catalogue sizes, the repeats, the
// folder the catalogues are built in and whether it is kept afterwards.
//   [--songs N] [--small N] [--repeats R] [--dir FOLDER] [--keep]
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace cdz::bench {

struct SizeOptions {
    int64_t songs = 1000000;
    int64_t small = 10000;
    int repeats = 200;
    std::filesystem::path dir;
    bool keep = false;

    // Reads the arguments over the defaults already set; false on an unknown or incomplete
    // argument or a size or repeat count that is not positive.
    bool parse(int argc, char** argv) {
        for (int i = 1; i < argc; ++i) {
            const std::string a = argv[i];
            const bool more = i + 1 < argc;
            if (a == "--songs" && more) {
                songs = std::atoll(argv[++i]);
            } else if (a == "--small" && more) {
                small = std::atoll(argv[++i]);
            } else if (a == "--repeats" && more) {
                repeats = std::atoi(argv[++i]);
            } else if (a == "--dir" && more) {
                dir = argv[++i];
            } else if (a == "--keep") {
                keep = true;
            } else {
                return false;
            }
        }
        return songs > 0 && small > 0 && repeats > 0;
    }

    // The catalogue folder of one size.
    std::filesystem::path folderOf(int64_t size) const { return dir / std::to_string(size); }
};

}  // namespace cdz::bench
