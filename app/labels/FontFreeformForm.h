#pragma once
// The free-form font form "Update Font Information (Freeform)": a favourite font's four texts
// typed as they are stored. "..." fills them from the font dialog, "Select Colo&r" sets the
// colour from the colour dialog "Select Color". A size, colour or style that is not a number in
// its range is refused with a message naming it, and nothing is saved.
#include "app/engine/state/Request.h"

class QWidget;

namespace cdz {

class AppState;

class FontFreeformForm {
public:
    static constexpr const char* kProcedure = "UpdateFontFreeform";
    static constexpr const char* kTitle = "Update Font Information (Freeform)";
    static constexpr const char* kColourTitle = "Select Color";

    static Response run(AppState& state, QWidget* parent);
};

}  // namespace cdz
