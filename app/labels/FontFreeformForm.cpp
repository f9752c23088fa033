#include "app/labels/FontFreeformForm.h"

#include "app/engine/state/AppState.h"
#include "app/labels/FontForm.h"
#include "app/labels/LabelFontStyle.h"
#include "runtime/ui/FontChoice.h"

namespace cdz {
namespace {

enum Control { TypeFace, Size, ColourText, Style };

// One text checked alone: the message names that text, and the focus goes to its control.
FieldCheck textCheck(AppState& state, Text<32> FontRecord::*member) {
    return FieldCheck::ownCheck([&state, member] {
        FontRecord alone;
        alone.*member = state.catalogue().font().*member;
        const auto problem = fontTextsProblem(alone);
        if (!problem) return true;
        state.dialogs().message("Invalid Font", problem->toStdString(), MessageIcon::Warning,
                                Button::Ok, Button::Ok);
        return false;
    });
}

FormEntry text(int row, const char* prompt, const char* field, FieldCheck check) {
    FormEntry e;
    e.prompt = prompt;
    e.field = field;
    e.picture = row == 0 ? "s32" : "S32";
    e.promptPlace = QRect(6, 8 + row * 16, 46, 10);
    e.entryPlace = QRect(54, 6 + row * 16, 130, 12);
    e.check = std::move(check);
    return e;
}

FormWindowSpec window(AppState& state, const FormEngine* const* engine) {
    FormWindowSpec w;
    w.designTitle = FontFreeformForm::kTitle;
    w.designSize = QSize(250, 90);
    w.entries = {
        text(TypeFace, "&Type Face:", "FON:TypeFace", FontForm::numbering(state, engine)),
        text(Size, "&Size:", "FON:Size", textCheck(state, &FontRecord::Size)),
        text(ColourText, "&Colour:", "FON:Colour", textCheck(state, &FontRecord::Colour)),
        text(Style, "&Style:", "FON:Style", textCheck(state, &FontRecord::Style)),
    };
    FormButton dialog{
        "...", "Choose the font in the font dialog", QRect(188, 22, 20, 12), [&state] {
            Catalogue& c = state.catalogue();
            const auto chosen =
                state.dialogs().font(FontForm::kDialogTitle, FontForm::preset(c.font()));
            if (chosen) FontForm::take(c.font(), *chosen);
        }};
    FormButton colour{"Select Colo&r", "Choose the colour in the colour dialog",
                      QRect(188, 38, 56, 12), [&state] {
                          Catalogue& c = state.catalogue();
                          const auto start = Colour::parse(c.font().Colour.clipped());
                          const auto chosen = state.dialogs().colour(FontFreeformForm::kColourTitle,
                                                                     start ? *start : Colour());
                          if (chosen) c.font().Colour = chosen->toString();
                      }};
    w.buttons = {std::move(dialog), std::move(colour)};
    w.okCaption = "&OK";
    w.okPlace = QRect(148, 72, 46, 14);
    w.cancelPlace = QRect(198, 72, 46, 14);
    return w;
}

}  // namespace

Response FontFreeformForm::run(AppState& state, QWidget* parent) {
    const FormEngine* engine = nullptr;
    FormWindow form(state, FontForm::declaration(kProcedure, kTitle), window(state, &engine),
                    parent);
    engine = &form.engine();
    if (form.engine().start()) {
        if (auto title = form.engine().title()) form.setWindowTitle(QString::fromStdString(*title));
        form.exec();
    }
    return form.engine().finish();
}

}  // namespace cdz
