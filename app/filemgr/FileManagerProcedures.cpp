#include "app/filemgr/FileManagerProcedures.h"

#include <QWidget>

#include "app/engine/state/AppState.h"
#include "app/engine/state/ProcedureNames.h"
#include "app/filemgr/DosConversion.h"
#include "app/filemgr/FileManagerWindow.h"
#include "app/filemgr/OldDataConversionWindow.h"

namespace cdz {

void defineFileManagerProcedures(AppState& state, QWidget& frame) {
    ProcedureStarter& starter = state.starter();
    starter.define(proc::kFileManager, [&state, &frame](int) -> QWidget* {
        return new FileManagerWindow(state, &frame);
    });
    starter.define(proc::kOldDataConversion, [&state, &frame](int) {
        return OldDataConversionWindow::create(state, &frame);
    });
    starter.defineRoutine(proc::kConvertDosData,
                          [&state] { DosConversion::launch(state.dialogs(), state.dataFolder()); });
}

}  // namespace cdz
