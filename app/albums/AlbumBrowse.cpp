#include "app/albums/AlbumBrowse.h"

#include <QFont>
#include <QPushButton>
#include <QScrollBar>
#include <QTabBar>

#include "app/domain/data/Catalogue.h"
#include "app/engine/browse/ThumbAlphabet.h"
#include "app/engine/resize/WindowButton.h"
#include "app/engine/state/AppState.h"

namespace cdz {
namespace {

constexpr int kDesignWidth = 420;
constexpr int kDesignHeight = 230;
// Never smaller than this (dialog units): the buttons stay reachable.
constexpr int kLeastWidth = 250;
constexpr int kLeastHeight = 140;
constexpr int kNameThumb = kThumbLetters | kThumbDigits;
constexpr const char* kCreateLabel = "Create Label...";

// The page entry's fields: the design format's eight columns first, then what the hidden
// columns show and the album number the record is re-read by.
const std::vector<std::string>& rowFields() {
    static const std::vector<std::string> fields = {
        "ALB:Artist",      "ALB:Album",     "ALB:Media",    "ALB:FileNumber",
        "ALB:ReleaseDate", "ALB:Rating",    "ALB:PurPrice", "ALB:PurchaseDate",
        "ALB:Value",       "ALB:TotalTime", "ALB:AlbumID"};
    return fields;
}

}  // namespace

const std::vector<LayoutColumn>& AlbumBrowse::columnTable() {
    static const std::vector<LayoutColumn> table = {
        {"ALB:Artist", "Artist", 160, 'L', true, true, "s40"},
        {"ALB:Album", "Album", 160, 'L', true, true, "s40"},
        {"ALB:Media", "Media", 80, 'L', true, true, "s20"},
        {"ALB:FileNumber", "File Number", 80, 'L', true, true, "s20"},
        {"ALB:ReleaseDate", "Released", 40, 'L', true, true, "d2"},
        {"ALB:Rating", "Rating", 8, 'L', true, true, "s2"},
        {"ALB:PurPrice", "Pur Price", 40, 'L', true, true, "n-10.2"},
        {"ALB:PurchaseDate", "Purchase Date", 40, 'L', true, true, "d2"},
        {"ALB:Value", "Value", 40, 'L', false, true, "n-10.2"},
        {"ALB:TotalTime", "Total Time", 52, 'L', false, true, "t4"},
    };
    return table;
}

AlbumBrowse* AlbumBrowse::open(AppState& state, QWidget* parent) {
    auto files = std::make_unique<FileUse>(
        state.catalogue(), std::initializer_list<CatalogueFile>{CatalogueFile::Album});
    if (!files->ok()) return nullptr;
    BrowseWindowSpec spec;
    spec.procedure = kProcedure;
    spec.title = "Orvanta Albums";
    spec.listName = "?Browse:1";
    // Dates as "@d2", replaced by the user's date picture when the window opens.
    spec.designFormat =
        "160L(2)|M~Artist~@s40@160L(2)|M~Album~@s40@80L(2)|M~Media~@s20@"
        "80L(2)|M~File Number~@s20@40R(2)|M~Released~C(0)@d2@8R(2)|M~Rating~C(0)@s2@"
        "40R(2)|M~Pur Price~C(0)@n-10.2@40R(2)|M~Purchase Date~C(0)@d2@";
    spec.keepFormat = true;
    spec.tabs = {"By ID", "By Album", "By Artist"};
    spec.formProcedure = kForm;
    spec.insertCaption = "&Add";
    spec.closeCaption = "Cl&ose";
    spec.closeIcon = "EXIT.ICO";
    spec.designSize = {kDesignWidth, kDesignHeight};
    spec.columnTable = columnTable();

    BrowseDeclaration d;
    d.file = &state.catalogue().file(CatalogueFile::Album);
    // A typed character steps through the albums that begin with it; in the number order it is
    // read as a number.
    d.sorts = {
        {"ALB:KeyAlbumID", false, {}, LocatorKind::Step, ThumbKind::Numeric, 0, 0},
        {"ALB:KeyAlbum", false, {}, LocatorKind::Step, ThumbKind::Text, 40, kNameThumb},
        {"ALB:KeyArtist", false, {}, LocatorKind::Step, ThumbKind::Text, 40, kNameThumb},
    };
    d.rowFields = rowFields();
    d.popupItems = {"&Add", "&Change", "&Delete"};
    d.hasSelectButton = false;
    return new AlbumBrowse(state, std::move(spec), std::move(d), std::move(files), parent);
}

AlbumBrowse::AlbumBrowse(AppState& state, BrowseWindowSpec spec, BrowseDeclaration declaration,
                         std::unique_ptr<FileUse> files, QWidget* parent)
    : BrowseWindow(state, std::move(spec), std::move(declaration), std::move(files), parent),
      albums_(&state.catalogue().file(CatalogueFile::Album)) {
    addControls();
    relayout();
    setMinimumSize(unitsX(kLeastWidth), unitsY(kLeastHeight));
}

void AlbumBrowse::addControls() {
    letters_ = makeAlphabetStrip([this](int index) { letterChosen(index); });

    copy_ = makeWindowButton(this, "Cop&y", "Copy record", "CopyButton");
    print_ = makeWindowButton(this, "&Print", "Print information", "PrintButton");
    singleArtist_ = makeWindowButton(this, "Add Single Artist Album", {}, "SingleArtistButton");
    compilation_ = makeWindowButton(this, "Add Compilation", {}, "CompilationButton");
    format_ = makeWindowButton(this, "Format &BrowseBox", "Re-format Columns of BrowseBox",
                               "FormatButton");

    QTabBar& tabs = sortTabs();
    tabs.setStyleSheet("QTabBar::tab:selected { font-weight: 700; }");
    markSortTab(tabs.currentIndex());
    connect(&tabs, &QTabBar::currentChanged, this, [this](int index) {
        markSortTab(index);
        sync();
    });

    connect(copy_, &QPushButton::clicked, this, &AlbumBrowse::copyAlbum);
    // The song list of the highlighted album: it copies the album's number as it starts.
    connect(print_, &QPushButton::clicked, this, [this] { startProcedure(kPrint); });
    connect(singleArtist_, &QPushButton::clicked, this, [this] { runWizard(kSingleArtist); });
    connect(compilation_, &QPushButton::clicked, this, [this] { runWizard(kCompilation); });
    connect(format_, &QPushButton::clicked, this, [this] { runProcedure(kFormatColumns); });
}

void AlbumBrowse::placeControls() {
    BrowseWindow::placeControls();
    if (!letters_) return;  // the base places its own controls before this browse adds more
    auto x = [this](int du) { return unitsX(du); };
    auto y = [this](int du) { return unitsY(du); };
    const int w = kDesignWidth, h = kDesignHeight;
    letters_->setGeometry(x(4), y(4), x(w - 8), y(12));
    sortTabs().setGeometry(x(4), y(18), x(w - 8), y(12));
    list().setGeometry(x(4), y(32), x(w - 8 - 10), y(h - 32 - 44));
    thumbBar().setGeometry(x(w - 14), y(32), x(10), y(h - 32 - 44));
    const int y1 = h - 40, y2 = h - 21;
    int bx = 4;
    for (QPushButton* b : {&insertButton(), copy_, &changeButton(), &deleteButton()}) {
        b->setGeometry(x(bx), y(y1), x(44), y(14));
        bx += 46;
    }
    bx += 8;
    singleArtist_->setGeometry(x(bx), y(y1), x(104), y(14));
    compilation_->setGeometry(x(bx + 106), y(y1), x(72), y(14));
    print_->setGeometry(x(4), y(y2), x(44), y(14));
    format_->setGeometry(x(50), y(y2), x(80), y(14));
    closeButton().setGeometry(x(w - 48), y(y2), x(44), y(14));
}

QString AlbumBrowse::titleText() const {
    return QString("Albums - %1 entries").arg(albums_->records());
}

void AlbumBrowse::afterSync() {
    const bool rows = engine().canChange();
    copy_->setEnabled(rows);
    // Printing and labelling take the highlighted album: with none there is nothing to print.
    print_->setEnabled(rows);
}

// In the number order the letter is the number 0, so the list starts at the first album; in the
// title and artist orders the other field of the key is blanked by the locate.
void AlbumBrowse::letterChosen(int index) {
    if (index < 0) return;
    engine().locateValue(std::string(1, static_cast<char>('A' + index)));
    sync();
    list().setFocus();
}

// The album form takes an insert request over an album in the buffer as a copy of it.
void AlbumBrowse::copyAlbum() {
    engine().copy(Request::Insert);
    sync();
    list().setFocus();
}

void AlbumBrowse::runWizard(const char* name) {
    runAdding(name, Request::None);
}

std::vector<QPushButton*> AlbumBrowse::popupButtons() const {
    return {copy_, singleArtist_, compilation_, print_, nullptr};
}

std::vector<PopupButton> AlbumBrowse::popupExtras() const {
    std::vector<PopupButton> extras;
    for (const QPushButton* b : popupButtons()) {
        if (!b) {
            extras.push_back({kCreateLabel, engine().canChange(), true});
        } else {
            extras.push_back({b->text().toStdString(), b->isEnabled(), b != compilation_});
        }
    }
    return extras;
}

void AlbumBrowse::pressExtra(int index) {
    const std::vector<QPushButton*> buttons = popupButtons();
    if (index < 0 || index >= static_cast<int>(buttons.size())) return;
    QPushButton* b = buttons[static_cast<size_t>(index)];
    if (!b) {
        if (engine().canChange()) runProcedure(kLabelWizard);
        return;
    }
    if (b->isEnabled()) b->click();
}

}  // namespace cdz
