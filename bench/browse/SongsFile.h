#pragma once
// A catalogue folder holding a generated songs file of a given size and its categories, built
// once and kept: a folder that already holds them is used as it is.
#include <cstdint>
#include <filesystem>
#include <string>

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

private:
    static bool present(const std::filesystem::path& folder, int64_t songs);
};

}  // namespace cdz::bench
