#include "app/engine/EngineProcedures.h"

#include "app/engine/browse/BrowseWindow.h"
#include "app/engine/columns/ColumnLayoutView.h"
#include "app/engine/columns/ColumnLayoutWindow.h"
#include "app/engine/state/AppState.h"
#include "app/engine/state/ProcedureNames.h"

namespace cdz {

void defineEngineProcedures(AppState& state, QWidget&) {
    // The column layout window of the browse that runs it, modal over that browse.
    state.starter().defineRoutine(proc::kFormatBrowseBox, [&state] {
        auto* browse = qobject_cast<BrowseWindow*>(state.caller());
        if (!browse || !browse->columnLayout()) return;
        ColumnLayoutWindow::run(state, *browse->columnLayout(), browse->spec().keepsListPlace,
                                browse);
    });
}

}  // namespace cdz
