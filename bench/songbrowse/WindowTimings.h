#pragma once
// The real song browse window, offscreen, over a catalogue folder: each pass opens it to its
// first painted page and times the engine calls the window makes (the first refresh, a switch
// to each tab, a letter of the alphabet strip, a locator typed a character at a time), and the
// same through the window's own controls with the list repainted.
#include <cstdint>
#include <filesystem>
#include <string>

#include "bench/songbrowse/Samples.h"

namespace cdz::bench {

struct WindowPass {
    bool ok = true;
    std::string failure;
    int64_t residentAfterOpenKb = 0;  // VmRSS once the first page was painted
    int pageRows = 0;
    std::string locatedArtist;  // the artist the typed locator highlighted
};

class WindowTimings {
public:
    static constexpr const char* kMediaName = "CD";
    static constexpr int32_t kCategory = 1;
    static constexpr const char* kLetter = "M";
    static constexpr const char* kTyped = "Mad";

    // `repeats` of every figure into `engine` (the engine's calls alone) and `window` (the
    // window's controls, sync and repaint included).
    static WindowPass run(const std::filesystem::path& folder, int repeats, Samples& engine,
                          Samples& window);
};

}  // namespace cdz::bench
