#include "app/labels/LabelsProcedures.h"

#include "app/core/AppState.h"
#include "app/core/frame/ProcedureNames.h"

namespace cdz {

void defineLabelsProcedures(AppState& state, QWidget& frame) {
    // The label browse, its forms and the favourite fonts.

    // The label printouts and previews, and the label wizard.
    (void)state;
    (void)frame;
}

}  // namespace cdz
