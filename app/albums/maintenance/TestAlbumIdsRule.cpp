#include "app/albums/maintenance/TestAlbumIdsRule.h"

namespace cdz {

MaintenanceFault TestAlbumIdsRule::prepare() {
    DataFile& songs = catalogue_.file(CatalogueFile::Cadenzio);
    if (songs.set(SongRecord::KeyID) != err::kNone) return {FaultKind::Read};
    const int code = songs.previous();
    if (code == err::kRecordNotAvailable) {
        counter_ = 1;
    } else if (code != err::kNone) {
        return {FaultKind::Read};
    } else {
        counter_ = catalogue_.song().ID + 1;
    }
    return {};
}

MaintenanceFault TestAlbumIdsRule::apply(bool& changed, MaintenanceTally&) {
    SongRecord& song = catalogue_.song();
    int32_t albumId = 0;
    if (linker_.find(song, albumId) != err::kNone) return {FaultKind::Read, CatalogueFile::Album};
    changed = song.AlbumID != albumId;
    song.AlbumID = albumId;
    if (song.ID == 0) {
        int code = err::kDuplicateKey;
        while (code == err::kDuplicateKey) {
            song.ID = ++counter_;
            code = catalogue_.file(CatalogueFile::Cadenzio).duplicate(SongRecord::KeyID);
        }
        if (code != err::kNone) return {FaultKind::Read};
        changed = true;
    }
    return {};
}

}  // namespace cdz
