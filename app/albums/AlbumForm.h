#pragma once
// The album form ("Adding an Album Record" / "Changing an Album Record"): the album's fields on
// six pages, the list of its songs, its notes, its associated files, the audio CD and what it
// cost; called by the album browse to add, copy, change or delete an album.
#include "app/engine/form/FormWindow.h"
#include "app/engine/state/Request.h"

class QWidget;

namespace cdz {

class AlbumAttachments;
class AlbumFormRules;
class AppState;

class AlbumForm {
public:
    static constexpr const char* kProcedure = "UpdateAlbums";

    static FormDeclaration declaration();

    // Runs the form on the program's request.
    static Response run(AppState& state, QWidget* parent);
};

}  // namespace cdz
