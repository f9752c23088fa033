#pragma once
// The font form "Update the Fonts File": a favourite font added or changed through the font
// dialog "Choose Font", which opens at once preset with the font's four texts. Confirming it
// saves the chosen font as OK would (a font already in the list is refused, and the dialog
// opens again with the choice so that another can be made); cancelling it cancels the form.
// A delete asks for confirmation and removes the font: labels that name it print in their
// designed fonts.
#include "app/domain/data/FontRecord.h"
#include "app/engine/form/FormWindow.h"
#include "app/engine/state/Request.h"
#include "runtime/ui/FontChoice.h"

class QWidget;

namespace cdz {

class AppState;

class FontForm {
public:
    static constexpr const char* kProcedure = "UpdateFonts";
    static constexpr const char* kTitle = "Update the Fonts File";
    static constexpr const char* kDialogTitle = "Choose Font";

    // Shared with the free-form form: the same file, keys, numbering and saving.
    static FormDeclaration declaration(const char* section, const char* title);
    // The check of the typeface control that numbers a new font as it is saved (see
    // FontNumbering.h): refused, with a warning, when the numbers could not be read. `engine`
    // points at the form's engine once the form is made.
    static FieldCheck numbering(AppState& state, const FormEngine* const* engine);

    // What the font dialog starts from: the font as it would be drawn (a new font as the
    // program's own), under the typeface name the font keeps, even one this machine lacks.
    static FontChoice preset(const FontRecord& f);
    // The dialog's choice as the four texts the file keeps.
    static void take(FontRecord& f, const FontChoice& chosen);

    // Runs on the program's request over the font in the fonts buffer.
    static Response run(AppState& state, QWidget* parent);
};

}  // namespace cdz
