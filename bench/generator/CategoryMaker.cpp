#include "bench/generator/CategoryMaker.h"

#include <set>
#include <string>

#include "bench/generator/Rng.h"
#include "bench/generator/TextCut.h"
#include "bench/generator/WordLists.h"

namespace cdz::gen {

namespace {

constexpr uint64_t kCategoryStream = 0x4341544547000000ULL;
constexpr int kTriesPerName = 40;

}  // namespace

std::vector<CategoryRecord> CategoryMaker::make(uint64_t seed, int32_t count) {
    std::vector<CategoryRecord> out;
    if (count <= 0) return out;
    out.reserve(static_cast<std::size_t>(count));
    Rng rng(mixSeed(seed, kCategoryStream));
    const auto genres = words::genres();
    const auto modifiers = words::genreModifiers();
    std::set<std::string> used;
    for (int32_t id = 1; id <= count; ++id) {
        std::string name;
        for (int attempt = 0; attempt < kTriesPerName; ++attempt) {
            name.clear();
            if (rng.chance(350)) {
                name = genres[rng.below(genres.size())];
            } else {
                name = modifiers[rng.below(modifiers.size())];
                name += ' ';
                name += genres[rng.below(genres.size())];
            }
            cutInPlace(name, width::kCategory);
            if (!used.contains(name)) break;
        }
        // Beyond the combinations of the lists the names are numbered.
        if (used.contains(name)) name = "Category " + std::to_string(id);
        used.insert(name);
        out.push_back({id, std::move(name)});
    }
    return out;
}

}  // namespace cdz::gen
