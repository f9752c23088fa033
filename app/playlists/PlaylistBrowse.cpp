#include "app/playlists/PlaylistBrowse.h"

#include <QPushButton>
#include <QScrollBar>
#include <QTabBar>

#include "app/domain/data/Catalogue.h"
#include "app/engine/resize/WindowButton.h"
#include "app/engine/state/AppState.h"

namespace cdz {
namespace {

constexpr int kDesignWidth = 200;
constexpr int kDesignHeight = 170;
constexpr int kLeast = 50;  // dialog units, both ways

}  // namespace

PlaylistBrowse* PlaylistBrowse::open(AppState& state, QWidget* parent) {
    auto files = std::make_unique<FileUse>(
        state.catalogue(), std::initializer_list<CatalogueFile>{CatalogueFile::PlaylistMaster,
                                                                CatalogueFile::PlaylistDetails});
    if (!files->ok()) return nullptr;
    BrowseWindowSpec spec;
    spec.procedure = kProcedure;
    spec.title = "Playlists";
    spec.listName = "?Browse:1";
    spec.designFormat = "80L(2)|M~Playlist Description~@s20@";
    spec.tabs = {"By Description"};
    spec.formProcedure = proc::kPlaylistForm;
    spec.insertCaption = "&Add";
    spec.closeCaption = "Cl&ose";
    spec.closeIcon = "EXIT.ICO";
    spec.designSize = {kDesignWidth, kDesignHeight};

    BrowseDeclaration d;
    d.file = &state.catalogue().file(CatalogueFile::PlaylistMaster);
    d.sorts = {
        {"PLD:KeyPlaylistDescription", false, {}, LocatorKind::Step, ThumbKind::Text, 30, 1}};
    d.rowFields = {"PLD:PlaylistDescription", "PLD:PlaylistID"};
    d.popupItems = {"&Add", "&Change", "&Delete"};
    d.hasSelectButton = false;
    return new PlaylistBrowse(state, std::move(spec), std::move(d), std::move(files), parent);
}

PlaylistBrowse::PlaylistBrowse(AppState& state, BrowseWindowSpec spec,
                               BrowseDeclaration declaration, std::unique_ptr<FileUse> files,
                               QWidget* parent)
    : BrowseWindow(state, std::move(spec), std::move(declaration), std::move(files), parent) {
    print_ = makeWindowButton(this, "&Print", "Print playlist (basic format)", "PrintButton");
    top40_ =
        makeWindowButton(this, "&Top 40", "Print playlist in a top-?? chart format", "Top40Button");
    // The printouts read the highlighted playlist from the playlist buffer as they start.
    connect(print_, &QPushButton::clicked, this, [this] { startProcedure(proc::kPlaylistPrint); });
    connect(top40_, &QPushButton::clicked, this, [this] { startProcedure(proc::kPlaylistTop40); });
    sortTabs().hide();  // one order only
    relayout();
    setMinimumSize(unitsX(kLeast), unitsY(kLeast));
}

void PlaylistBrowse::placeControls() {
    BrowseWindow::placeControls();
    if (!print_) return;  // the base places its own controls before this browse adds more
    auto x = [this](int du) { return unitsX(du); };
    auto y = [this](int du) { return unitsY(du); };
    const int w = kDesignWidth, h = kDesignHeight;
    list().setGeometry(x(4), y(4), x(w - 8 - 10), y(h - 4 - 40));
    thumbBar().setGeometry(x(w - 14), y(4), x(10), y(h - 4 - 40));
    const int y1 = h - 34, y2 = h - 18;
    int bx = 4;
    for (QPushButton* b : {&insertButton(), &changeButton(), &deleteButton()}) {
        b->setGeometry(x(bx), y(y1), x(44), y(14));
        bx += 46;
    }
    print_->setGeometry(x(4), y(y2), x(44), y(14));
    top40_->setGeometry(x(50), y(y2), x(44), y(14));
    closeButton().setGeometry(x(w - 48), y(y2), x(44), y(14));
}

void PlaylistBrowse::afterSync() {
    // The printouts take the highlighted playlist: with none there is nothing to print.
    const bool rows = engine().canChange();
    print_->setEnabled(rows);
    top40_->setEnabled(rows);
}

std::vector<PopupButton> PlaylistBrowse::popupExtras() const {
    return {{print_->text().toStdString(), print_->isEnabled(), true},
            {top40_->text().toStdString(), top40_->isEnabled(), false},
            {kGenerateCaption, true, true}};
}

void PlaylistBrowse::pressExtra(int index) {
    switch (index) {
        case 0:
            if (print_->isEnabled()) print_->click();
            break;
        case 1:
            if (top40_->isEnabled()) top40_->click();
            break;
        case 2:
            // The generator runs over this browse; the playlist it adds shows when it returns.
            runProcedure(proc::kGeneratePlaylist);
            break;
        default:
            break;
    }
}

}  // namespace cdz
