#pragma once
// The media file as an import sees it: the names it holds, one found again without regard to
// case, and a name it lacks added there (and told), so that no imported song or album names a
// media the file does not list.
#include <map>
#include <set>
#include <string>
#include <string_view>

#include "app/domain/data/Catalogue.h"

namespace cdz {

class ImportMedia {
public:
    // The caller holds the media file open.
    explicit ImportMedia(Catalogue& catalogue) : catalogue_(catalogue) {}

    void load();
    // The name as the media file spells it when it holds one equal to `name` but for case;
    // "" when it holds none.
    std::string known(std::string_view name) const;
    // Adds `name` when the file lacks it as written; `added` tells what was added (left alone
    // when nothing was). False when the add failed: the file's error says why.
    bool ensure(std::string_view name, std::string* added);

private:
    Catalogue& catalogue_;
    std::set<std::string, std::less<>> names_;
    // Each name by its case-folded form.
    std::map<std::string, std::string, std::less<>> folded_;
};

}  // namespace cdz
