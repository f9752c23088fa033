#include "app/labels/LabelsProcedures.h"

#include <QApplication>

#include "app/core/AppState.h"
#include "app/core/frame/ProcedureNames.h"
#include "app/labels/LabelPrintSession.h"
#include "app/labels/LabelWizardWindow.h"

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
    // The wizard runs over the window that calls it (the label browse refreshes afterwards),
    // or over the frame from the menu; either way it has ended when the call returns.
    auto wizard = [&state, &frame] {
        QWidget* over = QApplication::activeWindow() ? QApplication::activeWindow() : &frame;
        state.response = LabelWizardWindow::run(state, over);
    };
    state.starter().define(proc::kLabelWizard, [wizard](int) -> QWidget* {
        wizard();
        return nullptr;
    });
    state.starter().defineRoutine(proc::kLabelWizard, wizard);
}

}  // namespace cdz
