#include "app/labels/LabelsProcedures.h"

#include <QApplication>

#include "app/engine/state/AppState.h"
#include "app/engine/state/CallerWindow.h"
#include "app/engine/state/ProcedureNames.h"
#include "app/labels/FontForm.h"
#include "app/labels/FontFreeformForm.h"
#include "app/labels/FontPicker.h"
#include "app/labels/LabelBrowse.h"
#include "app/labels/LabelForm.h"
#include "app/labels/LabelPrintSession.h"
#include "app/labels/LabelWizardWindow.h"

namespace cdz {
namespace {

// The label browse, its forms and the favourite fonts.
void defineLabelBrowseAndFonts(AppState& state, QWidget& frame) {
    // The label browse opens beside the other windows; it is nobody's picker.
    state.starter().define(LabelBrowse::kProcedure,
                           [&state](int) -> QWidget* { return LabelBrowse::open(state, nullptr); });
    // The font picker opens modally over the form or wizard that wants a font picked (or to
    // keep the list), in select mode when called with Select.
    state.starter().defineRoutine(FontPicker::kProcedure, [&state, &frame] {
        FontPicker* picker = FontPicker::open(state, nullptr);
        if (!picker) {
            state.respond(Response::Cancelled);
            return;
        }
        state.respond(BrowseWindow::runModal(picker, callerWindow(state, frame)));
    });
    // The forms run over the window that called them, on the request that window set.
    state.starter().defineRoutine(LabelForm::kProcedure, [&state, &frame] {
        LabelForm::run(state, callerWindow(state, frame));
    });
    state.starter().defineRoutine(FontForm::kProcedure, [&state, &frame] {
        FontForm::run(state, callerWindow(state, frame));
    });
    state.starter().defineRoutine(FontFreeformForm::kProcedure, [&state, &frame] {
        FontFreeformForm::run(state, callerWindow(state, frame));
    });
}

}  // namespace

void defineLabelsProcedures(AppState& state, QWidget& frame) {
    // The label browse, its forms and the favourite fonts.
    defineLabelBrowseAndFonts(state, frame);

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
        QWidget* over = callerWindow(state, frame);
        state.respond(LabelWizardWindow::run(state, over));
    };
    state.starter().define(proc::kLabelWizard, [wizard](int) -> QWidget* {
        wizard();
        return nullptr;
    });
    state.starter().defineRoutine(proc::kLabelWizard, wizard);
}

}  // namespace cdz
