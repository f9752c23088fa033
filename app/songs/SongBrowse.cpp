#include "app/songs/SongBrowse.h"

#include <QFont>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QScrollBar>
#include <QTabBar>

#include "app/domain/data/Catalogue.h"
#include "app/engine/resize/WindowButton.h"
#include "app/engine/state/AppState.h"
#include "app/engine/state/ProcedureNames.h"
#include "app/engine/window/AppIcons.h"
#include "runtime/data/RecordBindings.h"
#include "runtime/text/Text.h"

namespace cdz {
namespace {

constexpr int kDesignWidth = 480;
constexpr int kDesignHeight = 260;
constexpr int kSongNumberField = 19;  // MUS:ID among the row fields

// The page entry's fields: the design format's nine columns first.
const std::vector<std::string>& rowFields() {
    static const std::vector<std::string> fields = {"MUS:Title",
                                                    "MUS:Artist",
                                                    "MUS:Album",
                                                    "MUS:Media",
                                                    "MUS:FileNumber",
                                                    "CAT:Category",
                                                    "MUS:Time",
                                                    "MUS:ReleaseDate",
                                                    "MUS:Rating",
                                                    "MUS:ChartNumber",
                                                    "MUS:TrackNumber",
                                                    "MUS:Side",
                                                    "MUS:UserDefinedKeyField",
                                                    "MUS:AdditionalInformation1",
                                                    "MUS:AdditionalInformation2",
                                                    "MUS:AdditionalInformation3",
                                                    "MUS:BeatsPerMinute",
                                                    "MUS:Composer",
                                                    "MUS:LastPlayed",
                                                    "MUS:ID",
                                                    "MUS:CategoryID",
                                                    "CAT:CategoryID"};
    return fields;
}

SortOrder textOrder(const char* key, int width, int flags) {
    return {key, false, {}, LocatorKind::Incremental, ThumbKind::Text, width, flags};
}

SortOrder plainOrder(const char* key) {
    return {key, false, {}, LocatorKind::Incremental, ThumbKind::None, 0, 0};
}

SortOrder rangedOrder(const char* key, RangeLimit range, int width, int flags) {
    return {key, true, std::move(range), LocatorKind::Incremental, ThumbKind::Text, width, flags};
}

// "By " and the first ten characters of the user's caption of the user-defined key, or the
// design caption when the user gave none.
QString userKeyCaption(const std::string& prompt) {
    const QString caption = QString::fromStdString(std::string(clip(prompt)));
    // The settings' own default is no caption of the user's.
    if (caption.trimmed().isEmpty() || clip(prompt) == Settings::kUdkPromptDefault ||
        clip(prompt) == Settings::kUdkPromptUnread) {
        return "By UDK";
    }
    QString shown = caption.left(10);
    while (shown.endsWith(' ')) shown.chop(1);
    return "By " + shown;
}

}  // namespace

const std::vector<LayoutColumn>& SongBrowse::columnTable() {
    static const std::vector<LayoutColumn> table = {
        {"MUS:Title", "Title", 160, 'L', true, true, "s40"},
        {"MUS:Artist", "Artist", 160, 'L', true, true, "s40"},
        {"MUS:Album", "Album", 160, 'L', true, true, "s40"},
        {"MUS:Media", "Media", 80, 'L', true, true, "s20"},
        {"MUS:FileNumber", "File Number", 80, 'L', true, true, "s20"},
        {"CAT:Category", "Category", 120, 'L', true, true, "s30"},
        {"MUS:Time", "Time", 32, 'L', true, true, "t4b"},
        {"MUS:ReleaseDate", "Released", 40, 'L', true, true, "d17b"},
        {"MUS:Rating", "Rating", 8, 'L', true, true, "s2"},
        {"MUS:ChartNumber", "Chart Number", 12, 'L', false, true, "n3"},
        {"MUS:TrackNumber", "Track Number", 12, 'L', false, true, "n3"},
        {"MUS:Side", "Side/Disc", 4, 'L', false, true, "s1"},
        {"MUS:UserDefinedKeyField", "User Defined Key Field", 120, 'L', false, true, "s30"},
        {"MUS:AdditionalInformation1", "Additional Information 1", 320, 'L', false, true, "s80"},
        {"MUS:AdditionalInformation2", "Additional Information 2", 320, 'L', false, true, "s80"},
        {"MUS:AdditionalInformation3", "Additional Information 3", 320, 'L', false, true, "s80"},
        {"MUS:BeatsPerMinute", "BPM", 16, 'L', false, true, "n_4b"},
        {"MUS:Composer", "Composer", 320, 'L', false, true, "s80"},
        {"MUS:LastPlayed", "Last Played", 32, 'L', false, true, "d17b"},
        {"MUS:CategoryID", "Category ID", 52, 'L', false, true, "n-13"},
    };
    return table;
}

SongBrowse* SongBrowse::open(AppState& state, QWidget* parent) {
    auto files = std::make_unique<FileUse>(
        state.catalogue(),
        std::initializer_list<CatalogueFile>{CatalogueFile::Categories, CatalogueFile::Media,
                                             CatalogueFile::Cadenzio});
    if (!files->ok()) return nullptr;
    Catalogue& c = state.catalogue();
    BrowseWindowSpec spec;
    spec.procedure = kProcedure;
    spec.title = "Browse Orvanta Song Database";
    spec.listName = "?Browse";
    spec.designFormat =
        "75L(2)|_M~Title~@s40@75L(2)|_M~Artist~@s40@76L(2)|_M~Album~@s40@39L(2)|_M~Media~@s20@"
        "43L(2)|_M~File Number~@s20@51L(1)|_M~Category~L(0)@s30@23R(2)|_M~Time~C(0)@t4b@"
        "45R(2)|_M~Released~C(0)@d17b@8R(2)|_M~Rating~C(0)@s2@";
    spec.keepFormat = true;
    spec.tabs = {"By Artist",   "By Title",   "By Album", "By Media",
                 "By Category", "By Chart #", "By UDK"};
    spec.formProcedure = kForm;
    spec.insertCaption = "&Add";
    spec.insertTip = "Add a new song to the database";
    spec.changeTip = "Edit the highlighted song";
    spec.deleteTip = "Delete the higlighted song";
    spec.closeCaption = "Cl&ose";
    spec.closeTip = "Close the song database window";
    spec.closeIcon = "EXIT.ICO";
    spec.designSize = {kDesignWidth, kDesignHeight};
    spec.columnTable = columnTable();

    BrowseDeclaration d;
    d.file = &c.file(CatalogueFile::Cadenzio);
    d.joins = {{&c.file(CatalogueFile::Categories), {{"MUS:CategoryID", "CAT:CategoryID"}}}};
    const RangeLimit media{&c.file(CatalogueFile::Media), "MED:Media",
                           "BRW1::Sort3:Reset:MED:Media",
                           "UPPER(MUS:Media) = UPPER(BRW1::Sort3:Reset:MED:Media)"};
    RangeLimit category{&c.file(CatalogueFile::Categories), "CAT:CategoryID",
                        "BRW1::Sort4:Reset:CAT:CategoryID",
                        "MUS:CategoryID = BRW1::Sort4:Reset:CAT:CategoryID"};
    category.prefixSaysAll = true;
    d.sorts = {textOrder("MUS:SongsByArtist", 40, 5),
               textOrder("MUS:SongsByTitle", 40, 1),
               textOrder("MUS:SongsByAlbum", 40, 1),
               rangedOrder("MUS:SongsByMedia", media, 20, 1),
               rangedOrder("MUS:SongsByCategory", category, 40, 5),
               plainOrder("MUS:SongsByChartNumber"),
               plainOrder("MUS:SongsByUserDefinedKey")};
    d.rowFields = rowFields();
    d.popupItems = {"&Add", "&Change", "&Delete"};
    d.hasSelectButton = false;
    return new SongBrowse(state, std::move(spec), std::move(d), std::move(files), parent);
}

SongBrowse::SongBrowse(AppState& state, BrowseWindowSpec spec, BrowseDeclaration declaration,
                       std::unique_ptr<FileUse> files, QWidget* parent)
    : BrowseWindow(state, std::move(spec), std::move(declaration), std::move(files), parent),
      songs_(&state.catalogue().file(CatalogueFile::Cadenzio)) {
    // The media file's buffer is a name the query fields offer.
    DataFile& media = state.catalogue().file(CatalogueFile::Media);
    RecordBindings::bind(bindings(), media.decl(), media.record());
    const std::string prompt(clip(state.settings().udkPrompt));
    const bool captioned = !prompt.empty() && prompt != Settings::kUdkPromptDefault &&
                           prompt != Settings::kUdkPromptUnread;
    search_ =
        std::make_unique<SongSearch>(state.dialogs(), captioned ? prompt : SongSearch::kUserKey);
    addControls();
    relayout();
}

const char* SongBrowse::printProcedure(int tab) {
    switch (tab) {
        case ByTitle:
            return proc::kSongsByTitle;
        case ByAlbum:
            return proc::kSongsByAlbum;
        case ByMedia:
            return proc::kSongsByMedia;
        case ByCategory:
            return proc::kSongsByCategory;
        case ByChart:
            return proc::kSongsByChart;
        case ByUserKey:
            return proc::kSongsByUserKey;
        default:
            return proc::kSongsByArtist;
    }
}

void SongBrowse::addControls() {
    letters_ = makeAlphabetStrip([this](int index) { letterChosen(index); });

    locatorCaption_ = new QLabel("Locator:", this);
    locatorCaption_->setObjectName("LocatorCaption");
    locator_ = new QLabel(this);
    locator_->setObjectName("LocatorValue");
    locator_->setTextFormat(Qt::PlainText);

    copy_ = makeWindowButton(this, "Cop&y", "Create a copy of the highlighted song", "CopyButton");
    selectMedia_ = makeWindowButton(this, "&Select Media", {}, "SelectMediaButton");
    selectCategory_ = makeWindowButton(this, "&Select Category", {}, "SelectCategoryButton");
    searchButton_ = makeWindowButton(this, "&Search", "Search the song database", "SearchButton");
    resetSearch_ = makeWindowButton(this, "Reset Search", "Reset database to display all entries",
                                    "ResetSearchButton");
    import_ = makeWindowButton(this, "&Import", "Import data from another file", "ImportButton");
    import_->setIcon(AppIcons::icon("IMPORT.ICO"));
    export_ = makeWindowButton(this, "&Export", "Export the song database ", "ExportButton");
    export_->setIcon(AppIcons::icon("EXPORT.ICO"));
    format_ = makeWindowButton(this, "Format &BrowseBox", "Re-format Columns of BrowseBox",
                               "FormatButton");
    addFiles_ = makeWindowButton(this, "Add A&udio Files...",
                                 "Add a folder of audio files to the catalogue by their tags",
                                 "AddAudioFilesButton");
    print_ = makeWindowButton(
        this, "&Print", "Print the song report sorted by the highlighted index tab", "PrintButton");

    static const char* const kTabTips[kTabCount] = {
        "Display song database indexed by artist last name",
        "Display song datbase indexed by song title",
        "Display song database indexed by album title",
        "Select the media type to display",
        "Select the category you want to display",
        "Display the song database sorted by chart#",
        "Display the database sorted by the user defined key"};
    QTabBar& tabs = sortTabs();
    for (int t = 0; t < kTabCount && t < tabs.count(); ++t) tabs.setTabToolTip(t, kTabTips[t]);
    tabs.setTabText(ByUserKey, userKeyCaption(state_.settings().udkPrompt));
    tabs.setStyleSheet("QTabBar::tab:selected { font-weight: 700; }");
    markSortTab(tabs.currentIndex());
    connect(&tabs, &QTabBar::currentChanged, this, [this](int index) {
        markSortTab(index);
        sync();
    });

    connect(copy_, &QPushButton::clicked, this, [this] {
        engine().copy();
        sync();
        list().setFocus();
    });
    connect(selectMedia_, &QPushButton::clicked, this, [this] { pickRange(proc::kBrowseMedia); });
    connect(selectCategory_, &QPushButton::clicked, this,
            [this] { pickRange(proc::kBrowseCategories); });
    connect(searchButton_, &QPushButton::clicked, this, &SongBrowse::search);
    connect(resetSearch_, &QPushButton::clicked, this, &SongBrowse::resetSearch);
    connect(import_, &QPushButton::clicked, this, [this] { startProcedure(proc::kImportSongs); });
    connect(export_, &QPushButton::clicked, this, [this] { startProcedure(proc::kExportSongs); });
    connect(format_, &QPushButton::clicked, this, [this] { runProcedure(kFormatColumns); });
    connect(addFiles_, &QPushButton::clicked, this,
            [this] { startProcedure(proc::kAddAudioFiles); });
    connect(print_, &QPushButton::clicked, this,
            [this] { startProcedure(printProcedure(sortTabs().currentIndex())); });
}

void SongBrowse::placeControls() {
    BrowseWindow::placeControls();
    if (!letters_) return;  // the base places its own controls before this browse adds more
    auto x = [this](int du) { return unitsX(du); };
    auto y = [this](int du) { return unitsY(du); };
    const int w = kDesignWidth, h = kDesignHeight;
    letters_->setGeometry(x(4), y(4), x(w - 8), y(12));
    sortTabs().setGeometry(x(4), y(18), x(w - 8), y(12));
    list().setGeometry(x(4), y(32), x(w - 8 - 10), y(h - 32 - 64));
    thumbBar().setGeometry(x(w - 14), y(32), x(10), y(h - 32 - 64));
    const int y1 = h - 60, y2 = h - 40, y3 = h - 21;
    locatorCaption_->setGeometry(x(4), y(y1 + 2), x(36), y(10));
    locator_->setGeometry(x(42), y(y1 + 2), x(180), y(10));
    selectMedia_->setGeometry(x(w - 74), y(y1), x(70), y(14));
    selectCategory_->setGeometry(x(w - 74), y(y1), x(70), y(14));
    int bx = 4;
    for (QPushButton* b : {&insertButton(), copy_, &changeButton(), &deleteButton()}) {
        b->setGeometry(x(bx), y(y2), x(44), y(14));
        bx += 46;
    }
    bx += 8;
    for (QPushButton* b : {searchButton_, resetSearch_, import_, export_}) {
        b->setGeometry(x(bx), y(y2), x(56), y(14));
        bx += 58;
    }
    print_->setGeometry(x(4), y(y3), x(44), y(14));
    format_->setGeometry(x(50), y(y3), x(80), y(14));
    addFiles_->setGeometry(x(134), y(y3), x(80), y(14));
    closeButton().setGeometry(x(w - 48), y(y3), x(44), y(14));
}

QString SongBrowse::titleText() const {
    return QString("Songs - %1 entries").arg(songs_->records());
}

void SongBrowse::afterSync() {
    const bool rows = engine().canChange();
    copy_->setEnabled(rows);
    const int tab = sortTabs().currentIndex();
    selectMedia_->setVisible(tab == ByMedia);
    selectCategory_->setVisible(tab == ByCategory);
    // A library that refused the fields leaves both disabled for the window's life.
    searchButton_->setEnabled(search_->usable());
    resetSearch_->setEnabled(search_->usable() && !clip(engine().queryFilter()).empty());
    letters_->setEnabled(!(engine().sortOrder() == ByArtist && engine().page().empty()));
    locator_->setText(QString::fromStdString(engine().locatorText()));
    list().setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
}

void SongBrowse::letterChosen(int index) {
    if (index < 0) return;
    engine().locateValue(std::string(1, static_cast<char>('A' + index)));
    sync();
    list().setFocus();
}

// The picker leaves its choice, or whatever it highlighted last, in its file's buffer: that is
// the range the next refresh shows.
void SongBrowse::pickRange(const char* procedure) {
    engine().refresh();
    state_.call(procedure, Request::Select);
    engine().refresh();
    sync();
    list().setFocus();
}

void SongBrowse::search() {
    engine().refresh();
    if (auto filter = search_->run(engine().queryFilter(), bindings())) {
        engine().setQueryFilter(std::move(*filter));
    }
    engine().refresh();
    sync();
    list().setFocus();
}

void SongBrowse::resetSearch() {
    engine().setQueryFilter({});
    engine().refresh();
    sync();
    list().setFocus();
}

std::vector<PopupButton> SongBrowse::popupExtras() const {
    std::vector<PopupButton> extras;
    for (const QPushButton* b : {print_, searchButton_, import_, export_}) {
        extras.push_back({b->text().toStdString(), b->isEnabled(), b != export_});
    }
    return extras;
}

void SongBrowse::pressExtra(int index) {
    QPushButton* const buttons[] = {print_, searchButton_, import_, export_};
    if (index < 0 || index >= 4) return;
    QPushButton* b = buttons[index];
    if (b->isEnabled()) b->click();
}

QMimeData* SongBrowse::rowMimeData(int row) const {
    const BrowseEngine& e = engine();
    if (row < 1 || row > e.page().count()) return nullptr;
    const SqlValue& id = e.rowValue(row, kSongNumberField);
    const auto* number = std::get_if<int64_t>(&id);
    if (!number) return nullptr;
    auto* song = new QMimeData;
    song->setData(kSongMimeType, QByteArray::number(static_cast<qlonglong>(*number)));
    song->setText(QString::number(*number));
    return song;
}

}  // namespace cdz
