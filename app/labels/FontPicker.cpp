#include "app/labels/FontPicker.h"

#include <QPushButton>
#include <QScrollBar>
#include <QTabBar>

#include <utility>

#include "app/domain/data/Catalogue.h"
#include "app/engine/resize/WindowButton.h"
#include "app/engine/state/AppState.h"
#include "app/labels/FontForm.h"
#include "app/labels/FontFreeformForm.h"

namespace cdz {
namespace {

constexpr int kDesignWidth = 260;
constexpr int kDesignHeight = 150;

}  // namespace

FontPicker* FontPicker::open(AppState& state, QWidget* parent) {
    auto files = std::make_unique<FileUse>(
        state.catalogue(), std::initializer_list<CatalogueFile>{CatalogueFile::Fonts});
    if (!files->ok()) return nullptr;
    BrowseWindowSpec spec;
    spec.procedure = kProcedure;
    spec.title = "Favorite Fonts";
    spec.listName = "?Browse:1";
    spec.designFormat =
        "100L(2)|M~Type Face~@s32@40L(2)|M~Size~@S32@50L(2)|M~Colour~@S32@50L(2)|M~Style~@S32@";
    spec.tabs = {"By Type Face"};
    spec.formProcedure = FontForm::kProcedure;
    spec.insertCaption = "&Add";
    spec.closeCaption = "Cancel";
    spec.designSize = {kDesignWidth, kDesignHeight};

    BrowseDeclaration d;
    d.file = &state.catalogue().file(CatalogueFile::Fonts);
    d.sorts = {{"FON:KeyTypeFace", false, {}, LocatorKind::Step, ThumbKind::Text, 32, 0}};
    d.rowFields = {"FON:TypeFace", "FON:Size", "FON:Colour", "FON:Style", "FON:FontID"};
    d.popupItems = {"&Add", "&Change", "&Delete"};
    return new FontPicker(state, std::move(spec), std::move(d), std::move(files), parent);
}

FontPicker::FontPicker(AppState& state, BrowseWindowSpec spec, BrowseDeclaration declaration,
                       std::unique_ptr<FileUse> files, QWidget* parent)
    : BrowseWindow(state, std::move(spec), std::move(declaration), std::move(files), parent) {
    freeform_ =
        makeWindowButton(this, "&Freeform", "Type the highlighted font's texts", "FreeformButton");
    connect(freeform_, &QPushButton::clicked, this, &FontPicker::freeform);
    sortTabs().hide();  // one order only
    relayout();
}

void FontPicker::placeControls() {
    BrowseWindow::placeControls();
    if (!freeform_) return;  // the base places its own controls before this browse adds more
    auto x = [this](int du) { return unitsX(du); };
    auto y = [this](int du) { return unitsY(du); };
    const int w = kDesignWidth, h = kDesignHeight;
    list().setGeometry(x(4), y(4), x(w - 8 - 10), y(h - 4 - 40));
    thumbBar().setGeometry(x(w - 14), y(4), x(10), y(h - 4 - 40));
    const int y1 = h - 36, y2 = h - 20;
    int bx = 4;
    for (QPushButton* b : {&insertButton(), &changeButton(), &deleteButton(), freeform_}) {
        b->setGeometry(x(bx), y(y1), x(44), y(14));
        bx += 46;
    }
    closeButton().setGeometry(x(w - 48), y(y2), x(44), y(14));
}

void FontPicker::afterSync() {
    freeform_->setEnabled(engine().canChange());
}

// The highlighted font changed through the free-form form instead of the browse's own: the
// engine's change re-reads and watches the record and finds it again afterwards.
void FontPicker::freeform() {
    const std::string form = std::exchange(spec_.formProcedure, FontFreeformForm::kProcedure);
    engine().change();
    spec_.formProcedure = form;
    sync();
    list().setFocus();
}

}  // namespace cdz
