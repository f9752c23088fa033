#include "app/albums/maintenance/AlbumLinker.h"

namespace cdz {

namespace {
constexpr std::string_view kCompilationArtist = "Various";
}  // namespace

int AlbumLinker::read(std::string_view artist, std::string_view title, bool& found) {
    AlbumRecord& album = catalogue_.album();
    album.Artist = artist;
    album.Album = title;
    const int code = catalogue_.file(CatalogueFile::Album).get(AlbumRecord::KeyAlbum);
    found = code == err::kNone;
    return code == err::kRecordNotFound ? err::kNone : code;
}

bool AlbumLinker::recalled(const SongRecord& song, int32_t& albumId) const {
    // The album keys tell case apart, so the remembered answer holds for the same text only.
    if (!known_ || song.Artist.clipped() != artist_ || song.Album.clipped() != title_) {
        return false;
    }
    albumId = albumId_;
    return true;
}

int AlbumLinker::find(const SongRecord& song, int32_t& albumId) {
    albumId = 0;
    if (blankTitle(song) || recalled(song, albumId)) return err::kNone;
    bool found = false;
    int code = read(song.Artist.clipped(), song.Album.clipped(), found);
    if (code == err::kNone && !found) {
        code = read(kCompilationArtist, song.Album.clipped(), found);
    }
    if (code != err::kNone) return code;
    if (found) albumId = catalogue_.album().AlbumID;
    remember(song, albumId);
    return err::kNone;
}

int AlbumLinker::create(const SongRecord& song, int32_t& albumId) {
    albumId = 0;
    DataFile& file = catalogue_.file(CatalogueFile::Album);
    AlbumRecord& album = catalogue_.album();
    file.clearBuffer();
    album.AlbumID = 0;  // the next number: the highest + 1
    album.Notes = song.Notes;
    album.FileNumber = song.FileNumber;
    album.Artist = song.Artist;
    album.Album = song.Album;
    album.Media = song.Media;
    album.ReleaseDate = song.ReleaseDate;
    album.CategoryID = static_cast<double>(song.CategoryID);
    const int code = file.add();
    if (code == err::kNone) albumId = album.AlbumID;
    remember(song, albumId);
    refused_ = code != err::kNone;
    return code;
}

int AlbumLinker::exists(int32_t albumId, bool& found) {
    found = albumId != 0 && albumId == existing_;
    if (found || albumId == 0) return err::kNone;
    catalogue_.album().AlbumID = albumId;
    const int code = catalogue_.file(CatalogueFile::Album).get(AlbumRecord::KeyAlbumID);
    found = code == err::kNone;
    if (found) existing_ = albumId;
    return code == err::kRecordNotFound ? err::kNone : code;
}

bool AlbumLinker::refused(const SongRecord& song) const {
    int32_t albumId = 0;
    return refused_ && recalled(song, albumId);
}

void AlbumLinker::remember(const SongRecord& song, int32_t albumId) {
    known_ = true;
    refused_ = false;
    artist_ = song.Artist.clipped();
    title_ = song.Album.clipped();
    albumId_ = albumId;
}

void AlbumLinker::forget() {
    known_ = false;
    refused_ = false;
    existing_ = 0;
}

}  // namespace cdz
