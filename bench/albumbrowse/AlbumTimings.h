#pragma once
// The real album browse window, offscreen, over a catalogue folder: each pass opens it to its
// first painted page and times the engine calls the window makes (the first refresh, a switch
// to each tab, the letter M of the alphabet strip and a typed locator in each order, a page down
// and up, the bottom and the top), and the same through the window's own controls with the list
// repainted.
#include <cstdint>
#include <filesystem>
#include <string>

#include "bench/songbrowse/Samples.h"

namespace cdz::bench {

struct AlbumPass {
    bool ok = true;
    std::string failure;
    int64_t albums = 0;               // records in the album file
    int64_t residentAfterOpenKb = 0;  // VmRSS once the first page was painted
    int pageRows = 0;
};

class AlbumTimings {
public:
    // `repeats` of every figure into `engine` (the engine's calls alone) and `window` (the
    // window's controls, sync and repaint included).
    static AlbumPass run(const std::filesystem::path& folder, int repeats, Samples& engine,
                         Samples& window);
};

}  // namespace cdz::bench
