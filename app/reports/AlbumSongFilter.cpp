#include "app/reports/AlbumSongFilter.h"

#include "app/engine/state/AppState.h"
#include "app/reports/ReportJob.h"

namespace cdz {

std::string AlbumSongFilter::of(int32_t albumId) {
    return "MUS:AlbumID = " + std::to_string(albumId);
}

bool AlbumSongFilter::prepare(AppState& state, ReportRequest& request) {
    // Album numbers start at 1; a cleared buffer holds 0.
    const int32_t album = state.catalogue().album().AlbumID;
    if (album <= 0) {
        state.dialogs().message("Songs by Album", kNoAlbum, MessageIcon::Information, Button::Ok,
                                Button::Ok);
        return false;
    }
    request.filter = of(album);
    return true;
}

}  // namespace cdz
