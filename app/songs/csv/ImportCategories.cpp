#include "app/songs/csv/ImportCategories.h"

namespace cdz {
namespace {

using F = CatalogueFile;

// The name as the categories file keeps it: cut to the field's size, trailing blanks ignored.
std::string storedName(std::string_view name) {
    const decltype(CategoryRecord::Category) field(name);
    return std::string(field.clipped());
}

}  // namespace

void ImportCategories::load() {
    DataFile& cats = catalogue_.file(F::Categories);
    if (cats.set(CategoryRecord::KeyCategoryID) != 0) return;
    while (cats.next() == 0) {
        const CategoryRecord& c = catalogue_.category();
        const auto id = static_cast<int32_t>(c.CategoryID.toInt());
        numbers_.insert(id);
        if (!c.Category.empty()) names_.emplace(std::string(c.Category.clipped()), id);
        if (id > highest_) highest_ = id;
    }
}

bool ImportCategories::add(int32_t id, std::string_view name) {
    DataFile& cats = catalogue_.file(F::Categories);
    cats.clearBuffer();
    CategoryRecord& c = catalogue_.category();
    c.CategoryID = static_cast<double>(id);
    c.Category = name;
    if (cats.add() != 0) return false;
    numbers_.insert(id);
    names_.emplace(std::string(name), id);
    if (id > highest_) highest_ = id;
    return true;
}

bool ImportCategories::ensureNumber(int32_t id, std::string* added) {
    if (id == 0 || numbers_.contains(id)) return true;
    const std::string name = "Category " + std::to_string(id);
    if (!add(id, name)) return false;
    *added = "category " + std::to_string(id) + " did not exist; it was added as \"" + name + "\"";
    return true;
}

std::optional<int32_t> ImportCategories::numberOf(std::string_view name, std::string* added) {
    const std::string stored = storedName(name);
    if (const auto found = names_.find(stored); found != names_.end()) return found->second;
    const int32_t id = highest_ + 1;
    if (!add(id, stored)) return std::nullopt;
    *added =
        "category \"" + stored + "\" did not exist; it was added as number " + std::to_string(id);
    return id;
}

}  // namespace cdz
