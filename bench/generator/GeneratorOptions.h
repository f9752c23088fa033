#pragma once
// The command line of `cdzgen`: which file to write, for which catalogue, and where; or a whole
// catalogue written into the program's data files of a folder.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "bench/generator/CatalogueShape.h"

namespace cdz::gen {

struct GeneratorOptions {
    enum class Mode { Songs, Albums, Categories, Media, Into };

    Mode mode = Mode::Songs;
    CatalogueShape shape;
    int32_t albums = 0;  // albums to write in Albums mode
    bool header = false;
    bool stats = false;
    bool help = false;
    std::string outFile;   // empty: standard output
    std::string folder;    // Into mode: the catalogue folder
    bool replace = false;  // Into mode: data files already in the folder may be replaced

    // Parses the arguments after the program name; on a mistake returns nullopt and sets
    // error to a one-line explanation.
    static std::optional<GeneratorOptions> parse(const std::vector<std::string>& args,
                                                 std::string& error);
    static const char* usage();
};

}  // namespace cdz::gen
