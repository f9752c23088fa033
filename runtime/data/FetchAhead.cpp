#include "runtime/data/FetchAhead.h"

#include "runtime/data/RecordCodec.h"

namespace cdz {

void FetchAhead::append(const ResultRow& source, int width) {
    if (count_ == rows_.size()) rows_.emplace_back();
    SqlValues& row = rows_[count_++];
    row.resize(static_cast<size_t>(width));
    for (int c = 0; c < width; ++c)
        RecordCodec::readColumn(source, c, &row[static_cast<size_t>(c)]);
}

}  // namespace cdz
