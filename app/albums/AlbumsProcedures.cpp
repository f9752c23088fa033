#include "app/albums/AlbumsProcedures.h"

#include "app/albums/AlbumBrowse.h"
#include "app/core/AppState.h"

namespace cdz {

void defineAlbumsProcedures(AppState& state, QWidget& /*frame*/) {
    // The album browse opens beside the other windows; it is nobody's picker.
    state.starter().define(AlbumBrowse::kProcedure, [&state](int) -> QWidget* {
        state.request = Request::None;
        return AlbumBrowse::open(state, nullptr);
    });
}

}  // namespace cdz
