#pragma once
// The number a new favourite font takes. Labels keep the numbers of fonts that were deleted
// (they then print in the designed fonts), so a new font is numbered above every number a
// label still names as well as above the highest font: a deleted font's number never passes
// to another font while labels refer to it.
#include <cstdint>

namespace cdz {

class Catalogue;

// Fills `next` and returns 0, or the runtime code of a failed read. The font and label
// buffers, and the label file's current record, are as they were before (the label form may
// be about to write that record).
int nextFontNumber(Catalogue& catalogue, int32_t* next);

}  // namespace cdz
