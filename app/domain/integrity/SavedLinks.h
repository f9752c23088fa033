#pragma once
// The linking values of the three files whose key may change and carry their songs along
// (Media: MED:Media, Categories: CAT:CategoryID, Album: ALB:AlbumID), as the form loaded them
// before the user edited. The update procedure compares them with the values being saved.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "app/domain/data/Catalogue.h"
#include "runtime/text/Text.h"

namespace cdz {

// A media name, or a category or album number.
using LinkValue = std::variant<std::string, int64_t>;

// True for Media, Categories and Album.
bool hasLinkValue(CatalogueFile file);
// The linking value of the record in the file's buffer; nullopt for the other files.
std::optional<LinkValue> linkValueOf(Catalogue& catalogue, CatalogueFile file);
// The linking value of the stored record `recno`, read through a handle of its own so that
// the file's buffer and change watch stay as they are. Returns a runtime code.
int storedLinkValue(Catalogue& catalogue, CatalogueFile file, int64_t recno, LinkValue* value);
// "Nothing" for a link: a blank media name or the number 0. Songs that carry it are on no
// album, in no category or on no media, so they belong to no parent record.
bool isNoLink(const LinkValue& value);

class SavedLinks {
public:
    // Takes the linking value from the file's buffer (the form calls it when it loads the
    // record); ignored for files without one.
    void record(Catalogue& catalogue, CatalogueFile file);
    void setMedia(std::string_view name) {
        set(CatalogueFile::Media, std::string(cdz::clip(name)));
    }
    void setCategoryID(int64_t id) { set(CatalogueFile::Categories, id); }
    void setAlbumID(int32_t id) { set(CatalogueFile::Album, int64_t{id}); }
    void forget(CatalogueFile file);

    // nullopt when nothing was recorded for the file since it was last forgotten.
    std::optional<LinkValue> saved(CatalogueFile file) const;

private:
    void set(CatalogueFile file, LinkValue value);
    static int slot(CatalogueFile file);

    std::array<std::optional<LinkValue>, 3> values_;
};

}  // namespace cdz
