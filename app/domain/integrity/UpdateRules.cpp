#include "app/domain/integrity/UpdateRules.h"

#include <limits>

namespace cdz {
namespace {

using F = CatalogueFile;
constexpr const char* kSongs = "Cadenzio";

bool fitsLong(int64_t n) {
    return n >= std::numeric_limits<int32_t>::min() && n <= std::numeric_limits<int32_t>::max();
}

}  // namespace

bool UpdateRules::apply(CatalogueFile file, const LinkValue& from, const LinkValue& to) {
    if (isNoLink(from)) return true;
    SongRecord& song = catalogue_.song();
    catalogue_.file(F::Cadenzio).clearBuffer();
    switch (file) {
        case F::Media: {
            const std::string& oldName = std::get<std::string>(from);
            const std::string& newName = std::get<std::string>(to);
            song.Media = oldName;
            // The key compares media names without regard to case, and so does the change.
            return moveSongs(SongRecord::SongsByMedia, newName);
        }
        case F::Categories:
        case F::Album: {
            const int64_t oldId = std::get<int64_t>(from);
            const int64_t newId = std::get<int64_t>(to);
            if (!fitsLong(oldId)) return true;  // no song can carry it
            if (!fitsLong(newId)) {
                // The songs' LONG cannot hold the new number; refusing keeps them linked.
                catalogue_.database().fail(err::kDriverError, 0,
                                           "the number does not fit the songs' link field");
                warning_.saveError();
                warning_(Warning::UpdateError, kSongs);
                return false;
            }
            const bool category = file == F::Categories;
            (category ? song.CategoryID : song.AlbumID) = static_cast<int32_t>(oldId);
            return moveSongs(category ? SongRecord::SongsByCategory : SongRecord::KeyAlbumID,
                             newId);
        }
        default:
            return true;
    }
}

bool UpdateRules::moveSongs(int key, const SqlValue& to) {
    // One statement rather than a read and a put for each song: a media name can be carried by
    // half of a catalogue of a million songs.
    if (catalogue_.file(F::Cadenzio).replaceAll(key, to) == 0) return true;
    warning_.saveError();
    warning_(Warning::UpdateError, kSongs);
    return false;
}

}  // namespace cdz
