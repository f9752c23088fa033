#include "app/filemgr/OldSongConverter.h"

#include <algorithm>

#include "app/domain/warnings/StandardWarning.h"

namespace cdz {

OldSongConverter::OldSongConverter(Catalogue& catalogue, StandardWarning& warning)
    : catalogue_(catalogue), warning_(warning) {}

OldSongConverter::~OldSongConverter() {
    finish();
}

bool OldSongConverter::start() {
    files_.emplace(catalogue_, std::initializer_list<CatalogueFile>{CatalogueFile::Cadenzio,
                                                                    CatalogueFile::OldCadenzio});
    DataFile& old = catalogue_.file(CatalogueFile::OldCadenzio);
    if (!files_->ok() || (total_ = old.records()) <= 0) {
        finished_ = true;
        files_.reset();
        return false;
    }
    old.send("QUICKSCAN=on");
    old.set(kRecordOrder);
    return true;
}

bool OldSongConverter::step(int count) {
    for (int i = 0; i < count && !finished_; ++i) {
        if (!convertOne()) finish();
    }
    return !finished_;
}

bool OldSongConverter::convertOne() {
    DataFile& old = catalogue_.file(CatalogueFile::OldCadenzio);
    DataFile& songs = catalogue_.file(CatalogueFile::Cadenzio);
    if (old.next() != 0) return false;  // 33 at the end
    ++handled_;
    const OldSongRecord& from = catalogue_.oldSong();
    SongRecord& to = catalogue_.song();
    songs.clearBuffer();
    to.Artist = from.Artist.str();
    to.Title = from.Title.str();
    to.Album = from.Album.str();
    to.Media = from.Media.str();
    to.FileNumber = from.FileNumber.str();
    to.ReleaseDate = from.ReleaseDate;
    to.Notes = from.Notes;
    if (songs.add() != 0) {
        // The old record stays, so the song is not lost; the next start tries it again.
        warning_(Warning::ProcessError, "Put", "Cadenzio");
        return false;
    }
    ++converted_;
    if (old.erase() != 0) {
        warning_(Warning::ProcessError, "Delete", "Process:View");
        return false;
    }
    return true;
}

int OldSongConverter::percent() const {
    if (total_ <= 0) return 100;
    return static_cast<int>(std::min<int64_t>(100, handled_ * 100 / total_));
}

void OldSongConverter::finish() {
    if (files_ && files_->ok()) catalogue_.file(CatalogueFile::OldCadenzio).send("QUICKSCAN=off");
    files_.reset();
    finished_ = true;
}

}  // namespace cdz
