#pragma once
// Writes the generated files as CSV lines ("\n"-terminated) to a stream: what `cdzgen` and the
// benchmarks produce. Each function returns the number of records written.
#include <cstdint>
#include <iosfwd>

#include "bench/generator/CatalogueShape.h"
#include "bench/generator/CatalogueStats.h"

namespace cdz::gen {

class CatalogueWriter {
public:
    static int64_t writeSongs(std::ostream& out, const CatalogueShape& shape, bool header,
                              CatalogueStats* stats = nullptr);
    // The first `count` albums of the catalogue of this shape.
    static int64_t writeAlbums(std::ostream& out, const CatalogueShape& shape, int32_t count,
                               bool header);
    static int64_t writeCategories(std::ostream& out, const CatalogueShape& shape, bool header);
    static int64_t writeMedia(std::ostream& out, bool header);
};

}  // namespace cdz::gen
