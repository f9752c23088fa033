#pragma once
// The favourite-font picker "Favorite Fonts": the fonts in typeface order with Add, Change and
// Delete through the font form, "&Freeform" for the highlighted font's texts typed as they are
// stored, and, called to pick, "&Select", which leaves the chosen font in the fonts buffer.
#include <memory>

#include "app/engine/browse/BrowseWindow.h"

class QPushButton;

namespace cdz {

class FontPicker final : public BrowseWindow {
    Q_OBJECT
public:
    static constexpr const char* kProcedure = "SelectFont";

    // nullptr when the fonts file would not open (the open routine has told the user).
    static FontPicker* open(AppState& state, QWidget* parent);

protected:
    void afterSync() override;
    void placeControls() override;

private:
    FontPicker(AppState& state, BrowseWindowSpec spec, BrowseDeclaration declaration,
               std::unique_ptr<FileUse> files, QWidget* parent);
    void freeform();

    QPushButton* freeform_ = nullptr;
};

}  // namespace cdz
