#include "app/songs/SongsProcedures.h"

#include <QApplication>

#include "app/engine/browse/BrowseWindow.h"
#include "app/engine/state/AppState.h"
#include "app/engine/state/CallerWindow.h"
#include "app/engine/state/ProcedureNames.h"
#include "app/songs/LookupBrowses.h"
#include "app/songs/LookupForms.h"
#include "app/songs/Pickers.h"
#include "app/songs/SongBrowse.h"
#include "app/songs/SongForm.h"
#include "app/songs/SongsForAlbumForm.h"
#include "app/songs/csv/ExportWindow.h"
#include "app/songs/csv/ImportWindow.h"

namespace cdz {
namespace {

// A browse started from the frame opens beside the others; run by a window that wants a
// record picked, it opens modally over that window in select mode.
void defineBrowse(AppState& state, QWidget& frame, const char* name,
                  BrowseWindow* (*make)(AppState&, QWidget*)) {
    state.starter().define(name, [&state, make](int) -> QWidget* { return make(state, nullptr); });
    state.starter().defineRoutine(name, [&state, &frame, make] {
        BrowseWindow* browse = make(state, nullptr);
        if (!browse) {
            state.respond(Response::Cancelled);
            return;
        }
        state.respond(BrowseWindow::runModal(browse, callerWindow(state, frame)));
    });
}

// A form runs over the window that called it, on the request that window set.
void defineForm(AppState& state, QWidget& frame, const char* name,
                Response (*run)(AppState&, QWidget*)) {
    state.starter().defineRoutine(
        name, [&state, &frame, run] { run(state, callerWindow(state, frame)); });
}

}  // namespace

void defineSongsProcedures(AppState& state, QWidget& frame) {
    // The song browse opens beside the other windows; it is nobody's picker.
    state.starter().define(SongBrowse::kProcedure,
                           [&state](int) -> QWidget* { return SongBrowse::open(state, nullptr); });
    defineBrowse(state, frame, LookupBrowses::kCategories, &LookupBrowses::categories);
    defineBrowse(state, frame, LookupBrowses::kMedia, &LookupBrowses::media);
    defineBrowse(state, frame, Pickers::kAlbum, &Pickers::album);
    defineBrowse(state, frame, Pickers::kFileNumber, &Pickers::fileNumber);
    defineForm(state, frame, LookupForms::kCategory, &LookupForms::category);
    defineForm(state, frame, LookupForms::kMedia, &LookupForms::media);
    defineForm(state, frame, SongForm::kProcedure, &SongForm::run);
    defineForm(state, frame, SongsForAlbumForm::kProcedure, &SongsForAlbumForm::run);
    // The import asks for its file first; the windows open beside the others.
    state.starter().define(proc::kImportSongs, [&state](int) -> QWidget* {
        return ImportWindow::open(state, nullptr);
    });
    state.starter().define(proc::kExportSongs, [&state](int) -> QWidget* {
        return ExportWindow::open(state, nullptr);
    });
}

}  // namespace cdz
