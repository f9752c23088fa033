#include "app/labels/LabelWizardSongs.h"

#include <functional>

#include "app/domain/data/Catalogue.h"
#include "runtime/data/ErrorGuard.h"
#include "runtime/text/Unicode.h"

namespace cdz {
namespace {

bool sameNoCase(const TextField& a, const TextField& b) {
    return toUpper(a.clipped()) == toUpper(b.clipped());
}

// Reads on from the buffer's key values while `belongs` holds, keeping up to the most a label
// lists and noting a song beyond them.
LabelWizardGathering walk(Catalogue& catalogue, SongRecord& song, int key,
                          const std::function<bool()>& belongs,
                          const std::function<std::string()>& text) {
    LabelWizardGathering out;
    DataFile file(catalogue.database(), SongRecord::declaration(), song);
    file.setName(catalogue.file(CatalogueFile::Cadenzio).name());
    ErrorGuard keep(catalogue.database().error());
    if ((out.code = file.open()) != 0) return out;
    if (file.setAt(key) == 0) {
        while (file.next() == 0 && belongs()) {
            if (static_cast<int>(out.songs.size()) == LabelWizardText::kMostSongs) {
                out.leftOut = true;
                break;
            }
            const int place = static_cast<int>(out.songs.size()) + 1;
            out.songs.push_back(LabelWizardSong{std::string(song.Side.clipped()),
                                                song.TrackNumber ? song.TrackNumber : place,
                                                text()});
        }
    }
    file.close();
    return out;
}

}  // namespace

LabelWizardGathering LabelWizardSongs::ofAlbum(Catalogue& catalogue, std::int32_t albumId,
                                               bool various, bool artistFirst) {
    SongRecord song;
    song.AlbumID = albumId;
    song.TrackNumber = 0;
    return walk(
        catalogue, song, SongRecord::KeyAlbumID, [&] { return song.AlbumID == albumId; },
        [&] { return LabelWizardText::songText(song, various, artistFirst); });
}

LabelWizardGathering LabelWizardSongs::ofSong(Catalogue& catalogue, const SongRecord& chosen,
                                              bool artistFirst) {
    SongRecord song;
    if (!chosen.FileNumber.empty()) {
        song.Media = chosen.Media;
        song.FileNumber = chosen.FileNumber;
        return walk(
            catalogue, song, SongRecord::SongsByMedia,
            [&] {
                return sameNoCase(song.Media, chosen.Media) &&
                       sameNoCase(song.FileNumber, chosen.FileNumber);
            },
            [&] { return LabelWizardText::songText(song, true, artistFirst); });
    }
    song.Album = chosen.Album;
    song.Artist = chosen.Artist;
    return walk(
        catalogue, song, SongRecord::SongsByAlbum,
        [&] {
            return sameNoCase(song.Album, chosen.Album) && sameNoCase(song.Artist, chosen.Artist);
        },
        [&] { return LabelWizardText::songText(song, false, artistFirst); });
}

}  // namespace cdz
