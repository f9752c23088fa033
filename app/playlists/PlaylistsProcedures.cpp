#include "app/playlists/PlaylistsProcedures.h"

#include "app/core/AppState.h"

namespace cdz {

void definePlaylistsProcedures(AppState& state, QWidget& frame) {
    (void)state;
    (void)frame;
}

}  // namespace cdz
