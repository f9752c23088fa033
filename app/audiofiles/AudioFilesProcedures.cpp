#include "app/audiofiles/AudioFilesProcedures.h"

#include "app/audiofiles/AddFilesWindow.h"
#include "app/engine/state/AppState.h"
#include "app/engine/state/ProcedureNames.h"

namespace cdz {

void defineAudioFilesProcedures(AppState& state, QWidget& /*frame*/) {
    // The scan asks for its folder first and runs to its end in its own window.
    state.starter().define(proc::kAddAudioFiles, [&state](int) -> QWidget* {
        AddFilesWindow::run(state, nullptr);
        return nullptr;
    });
}

}  // namespace cdz
