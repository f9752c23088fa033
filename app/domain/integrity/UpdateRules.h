#pragma once
// What changing a linking value does to the songs that carry it: they follow the new media
// name, category number or album number. Runs inside the update transaction; a rule that fails
// has shown its warning and saved its error, which rolled the transaction back.
#include "app/domain/data/Catalogue.h"
#include "app/domain/integrity/SavedLinks.h"
#include "app/domain/warnings/StandardWarning.h"

namespace cdz {

class UpdateRules {
public:
    UpdateRules(Catalogue& catalogue, StandardWarning& warning)
        : catalogue_(catalogue), warning_(warning) {}

    // Gives every song that carries `from` the value `to` of the file's linking field. Songs
    // that carry "nothing" (no category, no album, no media) are never moved.
    bool apply(CatalogueFile file, const LinkValue& from, const LinkValue& to);

private:
    // Gives the songs that carry the songs buffer's value of `key`'s first field the value
    // `to` in it.
    bool moveSongs(int key, const SqlValue& to);

    Catalogue& catalogue_;
    StandardWarning& warning_;
};

}  // namespace cdz
