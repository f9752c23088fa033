#pragma once
// A filter that matches no song, read through a view in key order to the end, against the
// sqlite3 shell counting the songs that meet the equivalent condition.
#include <filesystem>
#include <string>

#include "app/domain/data/Catalogue.h"

namespace cdz::bench {

struct FilterCase {
    std::string filter;     // the program's filter text
    std::string condition;  // the same condition for the shell's WHERE
};

struct FilterFigures {
    double view = 0;   // seconds to find there is nothing to show
    double shell = 0;  // seconds of the shell's count, process start included
    bool pushedDown = false;
    bool ok = true;
    std::string failure;
};

class FilterBench {
public:
    // The songs file must be in use in `catalogue`; `file` is its path for the shell (empty:
    // the view alone is timed).
    static FilterFigures measure(Catalogue& catalogue, const std::filesystem::path& file, int key,
                                 const FilterCase& c);
};

}  // namespace cdz::bench
