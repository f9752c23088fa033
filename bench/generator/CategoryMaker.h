#pragma once
// The `Categories` file of a catalogue: numbers 1..count with distinct names (genres, alone or
// with a modifier). Songs and albums favour the low numbers.
#include <cstdint>
#include <vector>

#include "bench/generator/CatalogueRecords.h"

namespace cdz::gen {

class CategoryMaker {
public:
    static std::vector<CategoryRecord> make(uint64_t seed, int32_t count);
};

}  // namespace cdz::gen
