#pragma once
// The song form in its album variant ("UpdateSongsForAlbum"), called from the album form's song
// list: the song is put on the album being edited and a new one takes the album's values
// where it has none; no album picker and no add-album wizard. OK leaves "OK" as the program's
// answer, which the album form's walk through its songs goes on by.
#include "app/engine/state/Request.h"

class QWidget;

namespace cdz {

class AppState;

class SongsForAlbumForm {
public:
    static constexpr const char* kProcedure = "UpdateSongsForAlbum";

    // Before the form starts: the album's number and title, and for an insert its defaults.
    static void prime(AppState& state, Request request);
    static Response run(AppState& state, QWidget* parent);
};

}  // namespace cdz
