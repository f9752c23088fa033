#include "app/albums/maintenance/CopyToAlbumRule.h"

namespace cdz {

MaintenanceFault CopyToAlbumRule::apply(bool& changed, MaintenanceTally& tally) {
    changed = false;
    SongRecord& song = catalogue_.song();
    constexpr MaintenanceFault kAlbumRead{FaultKind::Read, CatalogueFile::Album};
    if (song.AlbumID != 0) {
        bool found = false;
        if (linker_.exists(song.AlbumID, found) != err::kNone) return kAlbumRead;
        if (found) return {};
    }
    int32_t albumId = 0;
    if (!AlbumLinker::blankTitle(song)) {
        if (linker_.find(song, albumId) != err::kNone) return kAlbumRead;
        if (albumId == 0 && !linker_.refused(song)) {
            const int code = linker_.create(song, albumId);
            if (code == err::kNone) {
                ++tally.albumsCreated;
            } else if (code == err::kDuplicateKey) {
                // Another album holds one of its keys: the songs stay on none, and the user
                // hears which album was not made.
                tally.failedAlbums.push_back({std::string(song.Artist.clipped()),
                                              std::string(song.Album.clipped()),
                                              catalogue_.database().error().text});
            } else {
                return {FaultKind::Write, CatalogueFile::Album};
            }
        }
    }
    changed = song.AlbumID != albumId;
    song.AlbumID = albumId;
    return {};
}

MaintenanceFault CopyToAlbumRule::finishBatch() {
    const int code = linker_.endAdds();
    if (code == err::kNone) return {};
    refusedTogether_ = code == err::kDuplicateKey;
    return {FaultKind::Write, CatalogueFile::Album};
}

}  // namespace cdz
