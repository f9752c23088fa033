#include "app/labels/LabelsProcedures.h"

#include "app/core/AppState.h"
#include "app/core/frame/ProcedureNames.h"
#include "app/labels/LabelPrintSession.h"

namespace cdz {

void defineLabelsProcedures(AppState& state, QWidget& frame) {
    // The label browse, its forms and the favourite fonts.

    // The label printouts and previews, and the label wizard.
    for (const char* name : {proc::kPrintLabel, proc::kPrintCassetteLabel}) {
        state.starter().define(
            name, [&state, &frame](int) { return LabelPrintSession::start(state, &frame); });
        state.starter().defineRoutine(
            name, [&state, &frame] { LabelPrintSession::start(state, &frame); });
    }
}

}  // namespace cdz
