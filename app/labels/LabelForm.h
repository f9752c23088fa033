#pragma once
// The label form "Update Label": a CD or cassette label's texts, each panel's favourite font,
// the CD panels' alignment, and a picture with its position and size in thousandths of an
// inch; "Preview" shows the label as it stands in the form. A new label starts as a cassette
// label with a one-inch picture size; a copy keeps everything of the label it copies but its
// description, which the copy must be given anew.
#include "app/engine/form/FormWindow.h"
#include "app/engine/state/Request.h"

class QWidget;

namespace cdz {

class AppState;

class LabelForm {
public:
    static constexpr const char* kProcedure = "UpdateLabels";
    static constexpr const char* kTitle = "Update Label";
    static constexpr const char* kFileDialogTitle = "Choose a File";
    static constexpr const char* kPictureFilter =
        "All Files|*.*|GIF Files|*.GIF|BMP Files|*.BMP|JPEG Files|*.JPG|Windows Metafiles|*.WMF";

    static FormDeclaration declaration();
    // Runs on the program's request over the label in the label buffer: Insert for a new
    // label, Select for a copy of the one in the buffer, Change, Delete.
    static Response run(AppState& state, QWidget* parent);
};

}  // namespace cdz
