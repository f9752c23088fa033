#include "app/albums/AlbumSongList.h"

#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QScrollBar>
#include <QTabBar>

#include <algorithm>

#include "app/albums/AlbumFormRules.h"
#include "app/albums/wizard/TitlePaste.h"
#include "app/engine/state/AppState.h"
#include "app/songs/DragTypes.h"
#include "app/songs/SongDrops.h"

namespace cdz {
namespace {

constexpr int kDesignWidth = 360;
constexpr int kDesignHeight = 150;
constexpr int kSongNumberField = 7;  // MUS:ID among the row fields

}  // namespace

AlbumSongList* AlbumSongList::open(AppState& state, AlbumFormRules& rules, QWidget* parent) {
    auto files = std::make_unique<FileUse>(
        state.catalogue(),
        std::initializer_list<CatalogueFile>{CatalogueFile::Album, CatalogueFile::Cadenzio});
    if (!files->ok()) return nullptr;
    Catalogue& c = state.catalogue();
    BrowseWindowSpec spec;
    spec.procedure = kSection;
    spec.title = "Songs";
    spec.listName = "?Browse:2";
    spec.designFormat =
        "34R(2)|_M~Track Number~C(0)@n3@80L(2)|_M~Artist~@s30@80L(2)|_M~Title~@s30@"
        "36R(2)|_M~Time~C(0)@t4@50L(2)|_M~Media~@s20@40L(2)|_M~File Number~@s10@"
        "45R(2)|_M~Release Date~C(0)@d17@";
    spec.keepFormat = true;
    spec.tabs = {};
    spec.formProcedure = AlbumFormRules::kSongForm;
    spec.insertCaption = "&Add";
    spec.designSize = {kDesignWidth, kDesignHeight};
    spec.embedded = true;
    spec.extraButtons = {
        {"Select Ex&isting Songs", "SelectExistingButton", [&rules] { rules.selectExisting(); }},
        {"Edit All Son&gs", "EditAllButton", [&rules] { rules.editAllSongs(); }}};

    BrowseDeclaration d;
    d.file = &c.file(CatalogueFile::Cadenzio);
    const RangeLimit album{&c.file(CatalogueFile::Album), "ALB:AlbumID",
                           "BRW2::Sort1:Reset:ALB:AlbumID",
                           "MUS:AlbumID = BRW2::Sort1:Reset:ALB:AlbumID"};
    d.sorts = {{"MUS:KeyAlbumID", true, album, LocatorKind::Step, ThumbKind::Numeric, 0, 0}};
    d.rowFields = {"MUS:TrackNumber", "MUS:Artist",      "MUS:Title", "MUS:Time",   "MUS:Media",
                   "MUS:FileNumber",  "MUS:ReleaseDate", "MUS:ID",    "MUS:AlbumID"};
    d.popupItems = {"&Add", "&Change", "&Delete"};
    d.hasSelectButton = false;
    // The list is the album form's, not a picker: as an embedded browse it leaves the form's own
    // request to the form.
    return new AlbumSongList(state, rules, std::move(spec), std::move(d), std::move(files), parent);
}

AlbumSongList::AlbumSongList(AppState& state, AlbumFormRules& rules, BrowseWindowSpec spec,
                             BrowseDeclaration declaration, std::unique_ptr<FileUse> files,
                             QWidget* parent)
    : BrowseWindow(state, std::move(spec), std::move(declaration), std::move(files), parent),
      rules_(rules) {
    addControls();
    relayout();
}

void AlbumSongList::addControls() {
    copy_ = new QPushButton("Cop&y", this);
    copy_->setObjectName("CopyButton");
    copy_->setToolTip("Copy record");
    copy_->setAutoDefault(false);
    connect(copy_, &QPushButton::clicked, this, &AlbumSongList::copySong);
    paste_ = new QPushButton("Paste titles", this);
    paste_->setObjectName("PasteTitlesButton");
    paste_->setToolTip("Title the album's songs in order from the lines on the clipboard");
    paste_->setAutoDefault(false);
    connect(paste_, &QPushButton::clicked, this, &AlbumSongList::pasteTitles);
    hint1_ = new QLabel("You can also drag from the \"Songs\"", this);
    hint2_ = new QLabel("window to the album song list.", this);
    sortTabs().hide();  // one order only
    list().setAcceptDrops(true);
    new SongDrops(*list().viewport(), [this](int64_t song) {
        if (storeForm_) storeForm_();
        rules_.takeSong(song);
        reload();
        return true;
    });
}

void AlbumSongList::placeControls() {
    BrowseWindow::placeControls();
    if (!copy_) return;  // the base places its own controls before this list adds more
    auto x = [this](int du) { return unitsX(du); };
    auto y = [this](int du) { return unitsY(du); };
    const int w = kDesignWidth, h = kDesignHeight;
    list().setGeometry(x(2), y(2), x(w - 4 - 10), y(h - 2 - 42));
    thumbBar().setGeometry(x(w - 12), y(2), x(10), y(h - 2 - 42));
    const int by = h - 38;
    int bx = 2;
    for (QPushButton* b : {&insertButton(), copy_, &changeButton(), &deleteButton()}) {
        b->setGeometry(x(bx), y(by), x(40), y(14));
        bx += 42;
    }
    // The two long captions take the width their text needs in the font of the day, from a
    // design width that holds them in the form's font (the list is placed and its places
    // recorded before the form's font reaches it) up to what the row has left.
    auto* select = findChild<QPushButton*>("SelectExistingButton", Qt::FindDirectChildrenOnly);
    auto* editAll = findChild<QPushButton*>("EditAllButton", Qt::FindDirectChildrenOnly);
    if (select && editAll) {
        const int left = x(bx), right = x(w - 2), gap = x(2);
        const int selectWidth = std::max(x(108), select->sizeHint().width());
        const int editWidth = std::max(
            x(72), std::min(editAll->sizeHint().width(), right - left - selectWidth - gap));
        select->setGeometry(left, y(by), selectWidth, y(14));
        editAll->setGeometry(left + selectWidth + gap, y(by), editWidth, y(14));
    }
    constexpr int kPasteWidth = 60;
    hint1_->setGeometry(x(2), y(h - 20), x(w - 8 - kPasteWidth), y(9));
    hint2_->setGeometry(x(2), y(h - 11), x(w - 8 - kPasteWidth), y(9));
    paste_->setGeometry(x(w - 2 - kPasteWidth), y(h - 20), x(kPasteWidth), y(14));
}

void AlbumSongList::afterSync() {
    copy_->setEnabled(engine().canChange());
}

void AlbumSongList::reload() {
    engine().forceRefresh();
    engine().refresh();
    sync();
}

void AlbumSongList::copySong() {
    engine().copy();
    sync();
    list().setFocus();
}

void AlbumSongList::pasteTitles() {
    if (storeForm_) storeForm_();
    TitlePaste::fromClipboard(state_, [this](const std::vector<std::string>& titles, int& count) {
        return rules_.retitleSongs(titles, count);
    });
    reload();
}

std::vector<PopupButton> AlbumSongList::popupExtras() const {
    return {{copy_->text().toStdString(), copy_->isEnabled(), true}};
}

void AlbumSongList::pressExtra(int index) {
    if (index == 0 && copy_->isEnabled()) copySong();
}

void AlbumSongList::beforeForm() {
    if (storeForm_) storeForm_();
    const DataFile& albums = state_.catalogue().file(CatalogueFile::Album);
    album_ = RecordCopy::take(albums.decl(), albums.record());
}

// The song form may read albums (an album looked up for a song); the album being edited is
// the form's buffer again afterwards.
void AlbumSongList::afterForm() {
    const DataFile& albums = state_.catalogue().file(CatalogueFile::Album);
    if (!album_.empty()) album_.restore(albums.decl(), albums.record());
}

QMimeData* AlbumSongList::rowMimeData(int row) const {
    const BrowseEngine& e = engine();
    if (row < 1 || row > e.page().count()) return nullptr;
    const auto* number = std::get_if<int64_t>(&e.rowValue(row, kSongNumberField));
    if (!number) return nullptr;
    auto* song = new QMimeData;
    song->setData(kSongMimeType, QByteArray::number(static_cast<qlonglong>(*number)));
    song->setText(QString::number(*number));
    return song;
}

}  // namespace cdz
