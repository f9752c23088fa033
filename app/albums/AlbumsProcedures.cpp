#include "app/albums/AlbumsProcedures.h"

#include <QApplication>

#include "app/albums/AlbumBrowse.h"
#include "app/albums/AlbumForm.h"
#include "app/core/AppState.h"

namespace cdz {

void defineAlbumsProcedures(AppState& state, QWidget& frame) {
    // The album browse opens beside the other windows; it is nobody's picker.
    state.starter().define(AlbumBrowse::kProcedure, [&state](int) -> QWidget* {
        state.request = Request::None;
        return AlbumBrowse::open(state, nullptr);
    });
    // The album form runs over the window that called it, on the request that window set.
    state.starter().defineRoutine(AlbumForm::kProcedure, [&state, &frame] {
        AlbumForm::run(state, QApplication::activeWindow() ? QApplication::activeWindow() : &frame);
    });
}

}  // namespace cdz
