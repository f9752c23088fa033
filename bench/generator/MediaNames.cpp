#include "bench/generator/MediaNames.h"

#include <string>

#include "app/domain/data/DefaultMediaNames.h"
#include "bench/generator/TextCut.h"

namespace cdz::gen {

namespace {

// MED:Media and MUS:Media hold 20 characters: the names as the files store them.
constexpr std::size_t kMediaWidth = 20;

}  // namespace

const std::array<std::string_view, 12>& mediaNames() {
    static const std::array<std::string, 12> stored = [] {
        std::array<std::string, 12> cut;
        for (std::size_t i = 0; i < cut.size(); ++i) {
            cut[i] = cutToChars(kDefaultMediaNames[i], kMediaWidth);
        }
        return cut;
    }();
    static const std::array<std::string_view, 12> views = [] {
        std::array<std::string_view, 12> v;
        for (std::size_t i = 0; i < v.size(); ++i) v[i] = stored[i];
        return v;
    }();
    return views;
}

}  // namespace cdz::gen
