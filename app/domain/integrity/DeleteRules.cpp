#include "app/domain/integrity/DeleteRules.h"

#include <limits>

#include "app/domain/integrity/LinkWalk.h"
#include "runtime/text/Unicode.h"

namespace cdz {
namespace {

using F = CatalogueFile;
constexpr const char* kSongs = "Cadenzio";
constexpr const char* kEntries = "PlaylistDetails";
constexpr const char* kAudioFiles = "AudioFiles";

bool fitsLong(int64_t n) {
    return n >= std::numeric_limits<int32_t>::min() && n <= std::numeric_limits<int32_t>::max();
}

}  // namespace

bool DeleteRules::apply(CatalogueFile file) {
    switch (file) {
        case F::PlaylistMaster:
            return deletePlaylistEntries();
        case F::Cadenzio:
            return songIsFree() && forgetAudioFile();
        case F::Media:
            return mediaIsUnused();
        case F::Categories: {
            const int64_t id = catalogue_.category().CategoryID.toInt();
            // 0 means "no category": such songs belong to no category record. A number no
            // song can hold has no songs.
            if (id == 0 || !fitsLong(id)) return true;
            SongRecord& song = catalogue_.song();
            catalogue_.file(F::Cadenzio).clearBuffer();
            song.CategoryID = static_cast<int32_t>(id);
            return deleteSongs(SongRecord::SongsByCategory, [&] { return song.CategoryID == id; });
        }
        case F::Album: {
            const int32_t id = catalogue_.album().AlbumID;
            if (id == 0) return true;  // songs on no album
            SongRecord& song = catalogue_.song();
            catalogue_.file(F::Cadenzio).clearBuffer();
            song.AlbumID = id;  // and track 0, the lowest
            return deleteSongs(SongRecord::KeyAlbumID, [&] { return song.AlbumID == id; });
        }
        default:
            return true;
    }
}

bool DeleteRules::deletePlaylistEntries() {
    DataFile& entries = catalogue_.file(F::PlaylistDetails);
    PlaylistDetailRecord& entry = catalogue_.playlistEntry();
    const int32_t id = catalogue_.playlist().PlaylistID;
    entries.clearBuffer();
    entry.PlaylistID = id;
    entry.PlaylistSeq = Decimal<6, 0>::fromRaw(std::numeric_limits<int64_t>::min());
    return walkLinked(
        entries, PlaylistDetailRecord::KeyPlaylistID, warning_,
        [&] { return entry.PlaylistID == id; },
        [&] {
            if (entries.erase() == 0) return true;
            warning_.saveError();
            warning_(Warning::DeleteError, kEntries);
            return false;
        });
}

bool DeleteRules::songIsFree() {
    DataFile& entries = catalogue_.file(F::PlaylistDetails);
    PlaylistDetailRecord& entry = catalogue_.playlistEntry();
    const int32_t id = catalogue_.song().ID;
    entries.clearBuffer();
    entry.ID = Decimal<6, 0>::fromRaw(id);
    int code = entries.setAt(PlaylistDetailRecord::KeyID);
    if (code == 0) code = entries.next();
    if (code == err::kRecordNotAvailable) return true;
    if (code != 0) {
        warning_.saveError();
        warning_(Warning::RecordRetrievalError, kEntries);
        return false;
    }
    return entry.ID.toInt() != id || refuse(kEntries);
}

// A song made from an audio file takes the file's record with it: a later scan then finds the
// file new again, and a song number used again never names another song's file.
bool DeleteRules::forgetAudioFile() {
    DataFile& files = catalogue_.file(F::AudioFiles);
    AudioFileRecord& file = catalogue_.audioFile();
    const int32_t id = catalogue_.song().ID;
    files.clearBuffer();
    file.SongID = id;
    int code = files.get(AudioFileRecord::KeySongID);
    if (code == err::kRecordNotFound) return true;
    if (code == 0) code = files.erase();
    if (code == 0) return true;
    warning_.saveError();
    warning_(Warning::DeleteError, kAudioFiles);
    return false;
}

bool DeleteRules::mediaIsUnused() {
    const std::string name(catalogue_.media().Media.clipped());
    if (name.empty()) return true;  // a blank media name is no reference
    DataFile& songs = catalogue_.file(F::Cadenzio);
    SongRecord& song = catalogue_.song();
    songs.clearBuffer();
    song.Media = name;
    int code = songs.setAt(SongRecord::SongsByMedia);
    if (code == 0) code = songs.next();
    if (code == err::kRecordNotAvailable) return true;
    if (code != 0) {
        warning_.saveError();
        warning_(Warning::RecordRetrievalError, kSongs);
        return false;
    }
    // Compared as the key compares media names: without regard to case.
    return !equalsFolded(song.Media.view(), name) || refuse(kSongs);
}

bool DeleteRules::deleteSongs(int key, const std::function<bool()>& carries) {
    DataFile& songs = catalogue_.file(F::Cadenzio);
    return walkLinked(songs, key, warning_, carries, [&] {
        if (!songIsFree() || !forgetAudioFile()) return false;
        if (songs.erase() == 0) return true;
        warning_.saveError();
        warning_(Warning::DeleteError, kSongs);
        return false;
    });
}

bool DeleteRules::refuse(const char* referringFile) {
    warning_.saveError();
    warning_(Warning::ReferencedOnDelete, referringFile);
    return false;
}

}  // namespace cdz
