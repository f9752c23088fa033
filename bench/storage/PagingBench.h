#pragma once
// Browse movements on the songs file as a browse makes them through a view: a page of rows
// forward and backward, from a position token and from key values, and the record count.
// Each figure is the median over places spread through the file, so it does not depend on
// where the page happens to lie.
#include <string>
#include <vector>

#include "app/domain/data/Catalogue.h"

namespace cdz::bench {

struct PageFigures {
    double top = 0;       // first page from the start (ms)
    double bottom = 0;    // last page, read backward from the end
    double forward = 0;   // the page after a page
    double backward = 0;  // the page before a position
    double token = 0;     // a page from a position token (a browse's reset)
    double values = 0;    // a page from key values (a locate)
    double count = 0;     // the record count
    bool ok = true;
    std::string failure;
};

class PagingBench {
public:
    static constexpr int kPageRows = 30;

    // The songs file must be in use in `catalogue`.
    static PageFigures measure(Catalogue& catalogue, int key, int places);
};

}  // namespace cdz::bench
