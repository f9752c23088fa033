#pragma once
// The forms of the two lookup lists: the category form (auto-numbered, "Add Category" /
// "Change Category") and the media form ("Adding Media Format" / "Changing Media Format").
// Each runs on the program's request over the file's record buffer, called by its browse.
#include "app/engine/form/FormWindow.h"
#include "app/engine/state/Request.h"

class QWidget;

namespace cdz {

class AppState;

class LookupForms {
public:
    static constexpr const char* kCategory = "UpdateCategories";
    static constexpr const char* kMedia = "UpdateMedia";

    static FormDeclaration categoryDeclaration();
    static FormWindowSpec categoryWindow();
    static FormDeclaration mediaDeclaration();
    static FormWindowSpec mediaWindow();

    static Response category(AppState& state, QWidget* parent);
    static Response media(AppState& state, QWidget* parent);
};

}  // namespace cdz
