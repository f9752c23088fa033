#pragma once
// The entry form "Update the PlaylistDetails File": an entry's note and its song, chosen with
// the song picker and shown by artist and title. The caller loads the entry buffer (the
// playlist's number for an insert) and sets the request.
#include "app/engine/form/FormWindow.h"
#include "app/engine/state/Request.h"

class QWidget;

namespace cdz {

class AppState;

class PlaylistEntryForm {
public:
    static constexpr const char* kSection = "UpdatePlaylistDetails";
    static constexpr const char* kTitle = "Update the PlaylistDetails File";

    static FormDeclaration declaration();
    // An insert is numbered after the playlist's last entry when it starts.
    static Response run(AppState& state, QWidget* parent);
};

}  // namespace cdz
