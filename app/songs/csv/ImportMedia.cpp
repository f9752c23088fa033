#include "app/songs/csv/ImportMedia.h"

#include "runtime/text/Text.h"
#include "runtime/text/Unicode.h"

namespace cdz {

void ImportMedia::load() {
    DataFile& media = catalogue_.file(CatalogueFile::Media);
    if (media.set(MediaRecord::KeyMedia) != 0) return;
    while (media.next() == 0) {
        const std::string name(catalogue_.media().Media.clipped());
        folded_.emplace(foldCase(name), name);
        names_.insert(name);
    }
}

std::string ImportMedia::known(std::string_view name) const {
    const auto found = folded_.find(foldCase(clip(name)));
    return found == folded_.end() ? std::string() : found->second;
}

bool ImportMedia::ensure(std::string_view name, std::string* added) {
    if (name.empty() || names_.contains(name)) return true;
    DataFile& media = catalogue_.file(CatalogueFile::Media);
    media.clearBuffer();
    catalogue_.media().Media = name;
    if (media.add() != 0) return false;
    names_.emplace(name);
    folded_.emplace(foldCase(name), std::string(name));
    *added = "media \"" + std::string(name) + "\" did not exist; it was added";
    return true;
}

}  // namespace cdz
