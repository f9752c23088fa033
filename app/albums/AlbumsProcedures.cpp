#include "app/albums/AlbumsProcedures.h"

#include <QApplication>

#include <string>

#include "app/albums/AlbumBrowse.h"
#include "app/albums/AlbumForm.h"
#include "app/albums/maintenance/MaintenanceWindow.h"
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
    // The housekeeping passes run for the window that asked, each under its progress window,
    // and return when done: the date conversions run one after the other.
    for (const MaintenancePass pass : kMaintenancePasses) {
        state.starter().defineRoutine(
            std::string(maintenancePassInfo(pass).procedure), [&state, &frame, pass] {
                QWidget* caller = QApplication::activeWindow();
                MaintenanceWindow::run(state, pass, caller ? caller : &frame);
            });
    }
}

}  // namespace cdz
