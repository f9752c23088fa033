#pragma once
// The playlist form "Update Playlist": the playlist's description and its entry list on one
// page, its notes and the date of its last change on the other. Entries are written as they
// change; the playlist record waits for OK, which stamps today's date. A cancelled new
// playlist takes the entries given to it meanwhile with it.
#include "app/engine/form/FormWindow.h"
#include "app/engine/state/ProcedureNames.h"
#include "app/engine/state/Request.h"

class QWidget;

namespace cdz {

class AppState;

class PlaylistForm {
public:
    static constexpr const char* kProcedure = proc::kPlaylistForm;
    static constexpr const char* kTitle = "Update Playlist";

    static FormDeclaration declaration();
    // Runs the form on the program's request, over the playlist in the playlist buffer.
    static Response run(AppState& state, QWidget* parent);
};

}  // namespace cdz
