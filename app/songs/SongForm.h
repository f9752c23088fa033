#pragma once
// The song form ("Adding Information" / "Changing Information"): every field of a song on four
// tabs, called by the song browse and the album windows to add, copy, change or delete a song.
#include "app/engine/form/FormWindow.h"
#include "app/engine/state/Request.h"
#include "app/songs/SongFormRules.h"

class QWidget;

namespace cdz {

class AppState;

class SongForm {
public:
    static constexpr const char* kProcedure = "UpdateSong";

    static FormDeclaration declaration();
    // The window's controls; their lists, checks and buttons work through `rules`.
    static FormWindowSpec window(AppState& state, SongFormRules& rules);

    // Runs the form on the program's request (the add mode may hand it to a wizard first).
    static Response run(AppState& state, QWidget* parent);
};

}  // namespace cdz
