#include "app/albums/maintenance/AlbumLinker.h"

#include <algorithm>

#include "runtime/data/KeyLookup.h"

namespace cdz {

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
    const std::string_view title = song.Album.clipped();
    for (std::string_view artist : {song.Artist.clipped(), kCompilationArtist}) {
        if (const int32_t* answer = looked(artist, title)) {
            albumId = *answer;
        } else {
            bool found = false;
            if (int code = read(artist, title, found)) return code;
            if (found) albumId = catalogue_.album().AlbumID;
        }
        if (albumId != 0) break;
    }
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
    int code = err::kNone;
    if (!together_) {
        code = file.add();
    } else {
        if (!adding_) code = file.beginBatchAdd();
        adding_ = code == err::kNone;
        if (code == err::kNone) code = file.batchAdd();
    }
    if (code == err::kNone) {
        albumId = album.AlbumID;
        // Later songs of the batch find it as if it had been read.
        titles_[titleKey(song.Artist.clipped(), song.Album.clipped())] = albumId;
        numbers_[albumId] = true;
    }
    remember(song, albumId);
    refused_ = code != err::kNone;
    return code;
}

int AlbumLinker::exists(int32_t albumId, bool& found) {
    found = albumId != 0 && albumId == existing_;
    if (found || albumId == 0) return err::kNone;
    if (const auto answer = numbers_.find(albumId); answer != numbers_.end()) {
        found = answer->second;
        return err::kNone;
    }
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

int AlbumLinker::endAdds() {
    if (!adding_) return err::kNone;
    adding_ = false;
    return catalogue_.file(CatalogueFile::Album).endBatchAdd();
}

void AlbumLinker::forget() {
    adding_ = false;
    known_ = false;
    refused_ = false;
    existing_ = 0;
    notedTitles_.clear();
    notedNumbers_.clear();
    titles_.clear();
    numbers_.clear();
}

SqlValues AlbumLinker::titleKey(std::string_view artist, std::string_view title) {
    AlbumRecord& album = catalogue_.album();
    album.Artist = artist;
    album.Album = title;
    return KeyLookup(catalogue_.file(CatalogueFile::Album), AlbumRecord::KeyAlbum).valuesInBuffer();
}

const int32_t* AlbumLinker::looked(std::string_view artist, std::string_view title) {
    if (titles_.empty()) return nullptr;
    const auto answer = titles_.find(titleKey(artist, title));
    return answer == titles_.end() ? nullptr : &answer->second;
}

bool AlbumLinker::looksAhead() {
    if (!looksAhead_) {
        looksAhead_ =
            KeyLookup(catalogue_.file(CatalogueFile::Album), AlbumRecord::KeyAlbum).saves();
    }
    return *looksAhead_;
}

void AlbumLinker::note(const SongRecord& song, bool withNumber) {
    // The songs of an album come together: what the last song asked is not asked again.
    if (withNumber && song.AlbumID != 0 &&
        (notedNumbers_.empty() || notedNumbers_.back() != song.AlbumID)) {
        notedNumbers_.push_back(song.AlbumID);
    }
    if (blankTitle(song)) return;
    const std::string_view artist = song.Artist.clipped();
    const std::string_view title = song.Album.clipped();
    if (!notedTitles_.empty() && artist == notedArtist_ && title == notedTitle_) return;
    notedArtist_ = artist;
    notedTitle_ = title;
    notedTitles_.push_back(titleKey(artist, title));
    notedTitles_.push_back(titleKey(kCompilationArtist, title));
}

int AlbumLinker::lookUp() {
    DataFile& file = catalogue_.file(CatalogueFile::Album);
    AlbumRecord& album = catalogue_.album();
    // Every asked title is answered, those no album has with 0.
    for (const SqlValues& key : notedTitles_) titles_.try_emplace(key, 0);
    int code = KeyLookup(file, AlbumRecord::KeyAlbum).find(notedTitles_, [&](size_t i) {
        titles_[notedTitles_[i]] = album.AlbumID;
    });
    if (code != err::kNone) return code;
    KeyLookup byNumber(file, AlbumRecord::KeyAlbumID);
    std::vector<SqlValues> numbers;
    std::vector<int32_t> asked;
    for (int32_t number : notedNumbers_) {
        if (!numbers_.try_emplace(number, false).second) continue;
        album.AlbumID = number;
        numbers.push_back(byNumber.valuesInBuffer());
        asked.push_back(number);
    }
    code = byNumber.find(numbers, [&](size_t i) { numbers_[asked[i]] = true; });
    notedTitles_.clear();
    notedNumbers_.clear();
    return code;
}

}  // namespace cdz
