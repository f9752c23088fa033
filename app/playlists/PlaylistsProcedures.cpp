#include "app/playlists/PlaylistsProcedures.h"

#include <QApplication>

#include "app/engine/state/AppState.h"
#include "app/engine/state/CallerWindow.h"
#include "app/engine/state/ProcedureNames.h"
#include "app/playlists/GenerateWindow.h"
#include "app/playlists/PlaylistBrowse.h"
#include "app/playlists/PlaylistForm.h"

namespace cdz {

void definePlaylistsProcedures(AppState& state, QWidget& frame) {
    // The playlist browse opens beside the other windows; it is nobody's picker.
    state.starter().define(PlaylistBrowse::kProcedure, [&state](int) -> QWidget* {
        return PlaylistBrowse::open(state, nullptr);
    });
    // The playlist form runs over the window that called it, on the request that window set.
    state.starter().defineRoutine(PlaylistForm::kProcedure, [&state, &frame] {
        PlaylistForm::run(state, callerWindow(state, frame));
    });

    // The playlist generator, run from the playlist browse's popup over the browse, which
    // shows the playlist it adds when it returns.
    state.starter().defineRoutine(proc::kGeneratePlaylist, [&state, &frame] {
        GenerateWindow window(state, 0, callerWindow(state, frame));
        window.exec();
    });
}

}  // namespace cdz
