#include "app/playlists/PlaylistsProcedures.h"

#include "app/core/AppState.h"
#include "app/core/frame/ProcedureNames.h"
#include "app/playlists/GenerateWindow.h"

namespace cdz {

void definePlaylistsProcedures(AppState& state, QWidget& frame) {
    (void)frame;

    // The playlist generator, started from the playlist browse's popup.
    state.starter().define(proc::kGeneratePlaylist,
                           [&state](int) -> QWidget* { return new GenerateWindow(state); });
}

}  // namespace cdz
