#pragma once
// The categories file as the import sees it: a song's category found by its number or by its
// name, and a missing one added there (a number as "Category N", a name under the next
// number), so that no imported song points at a category that is not there.
#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>

#include "app/domain/data/Catalogue.h"

namespace cdz {

class ImportCategories {
public:
    // The caller holds the categories file open.
    explicit ImportCategories(Catalogue& catalogue) : catalogue_(catalogue) {}

    void load();
    // Adds category `id` when it is missing; `added` tells what was added (left alone when
    // nothing was). False when the add failed: the file's error says why.
    bool ensureNumber(int32_t id, std::string* added);
    // The number of the category named `name` (cut to the name's size, trailing blanks
    // ignored), adding it under the next number when it is missing; nullopt when that failed.
    std::optional<int32_t> numberOf(std::string_view name, std::string* added);

private:
    bool add(int32_t id, std::string_view name);

    Catalogue& catalogue_;
    std::set<int32_t> numbers_;
    std::map<std::string, int32_t, std::less<>> names_;
    int32_t highest_ = 0;
};

}  // namespace cdz
