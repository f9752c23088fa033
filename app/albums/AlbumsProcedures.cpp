#include "app/albums/AlbumsProcedures.h"

#include <QApplication>

#include <string>

#include "app/albums/AlbumBrowse.h"
#include "app/albums/AlbumForm.h"
#include "app/albums/maintenance/MaintenanceWindow.h"
#include "app/albums/wizard/AlbumWizard.h"
#include "app/albums/wizard/SelectAddType.h"
#include "app/engine/state/AppState.h"
#include "app/engine/state/CallerWindow.h"

namespace cdz {

namespace {

void defineWizard(AppState& state, QWidget& frame, const char* name, AlbumWizard::Kind kind) {
    // Run from a browse or the song form: over the window that called it, on its thread.
    state.starter().defineRoutine(name, [&state, &frame, kind] {
        AlbumWizard::run(state, kind, callerWindow(state, frame));
    });
    // Started from the frame's menu: a window of its own with its own thread number.
    state.starter().define(name, [&state, &frame, kind](int instance) -> QWidget* {
        auto* wizard = new AlbumWizard(state, kind, instance, &frame);
        if (!wizard->ready()) {
            delete wizard;
            return nullptr;
        }
        QObject::connect(wizard, &QDialog::finished, wizard, &QObject::deleteLater);
        return wizard;
    });
}

}  // namespace

void defineAlbumsProcedures(AppState& state, QWidget& frame) {
    // The album browse opens beside the other windows; it is nobody's picker.
    state.starter().define(AlbumBrowse::kProcedure,
                           [&state](int) -> QWidget* { return AlbumBrowse::open(state, nullptr); });
    // The album form runs over the window that called it, on the request that window set.
    state.starter().defineRoutine(AlbumForm::kProcedure, [&state, &frame] {
        AlbumForm::run(state, callerWindow(state, frame));
    });
    state.starter().defineRoutine(SelectAddType::kProcedure, [&state, &frame] {
        SelectAddType::ask(state, callerWindow(state, frame));
    });
    defineWizard(state, frame, AlbumWizard::kSingleArtistProcedure,
                 AlbumWizard::Kind::SingleArtist);
    defineWizard(state, frame, AlbumWizard::kCompilationProcedure, AlbumWizard::Kind::Compilation);
    // The housekeeping passes run for the window that asked, each under its progress window,
    // and return when done: the date conversions run one after the other.
    for (const MaintenancePass pass : kMaintenancePasses) {
        state.starter().defineRoutine(
            std::string(maintenancePassInfo(pass).procedure), [&state, &frame, pass] {
                MaintenanceWindow::run(state, pass, callerWindow(state, frame));
            });
    }
}

}  // namespace cdz
