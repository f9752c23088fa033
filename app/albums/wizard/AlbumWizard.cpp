#include "app/albums/wizard/AlbumWizard.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <cstdlib>
#include <variant>

#include "app/albums/cd/CdReader.h"
#include "app/albums/cd/CdTime.h"
#include "app/albums/cd/ReleaseFill.h"
#include "app/albums/wizard/AlbumTransfer.h"
#include "app/albums/wizard/AlbumWizardChecks.h"
#include "app/albums/wizard/FindReleaseWindow.h"
#include "app/albums/wizard/TitleLookup.h"
#include "app/albums/wizard/TitlePaste.h"
#include "app/albums/wizard/TrackForm.h"
#include "app/engine/state/AppState.h"
#include "app/engine/window/PendingPress.h"
#include "app/engine/window/WindowPlacement.h"
#include "runtime/text/Picture.h"

namespace cdz {

namespace {

using F = CatalogueFile;

constexpr int kTitleChars = 40;
constexpr int kFileNumberChars = 20;
// The track list (the work file) holds 30 characters of a title and of an artist.
constexpr int kTrackChars = 30;
constexpr const char* kPlacementSection = "AddSingleArtist";

QString text(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// The number of the started window that holds `widget`, else the frame's.
int threadOf(AppState& state, const QWidget* widget) {
    for (int instance : state.starter().instances()) {
        const QWidget* w = state.starter().window(instance);
        if (w && widget && (w == widget || w->isAncestorOf(widget))) return instance;
    }
    return ProcedureStarter::kFrameInstance;
}

}  // namespace

AlbumWizard::AlbumWizard(AppState& state, Kind kind, int thread, QWidget* parent,
                         const SongRecord* copied)
    : QDialog(parent), state_(state), kind_(kind), rules_(state) {
    const bool compilation = kind_ == Kind::Compilation;
    setObjectName(compilation ? kCompilationProcedure : kSingleArtistProcedure);
    setWindowTitle(compilation ? "Add Compilation" : "Add Album by Single Artist");
    Catalogue& cat = state_.catalogue();
    files_ = std::make_unique<FileUse>(
        cat,
        std::initializer_list<F>{F::AddWizard, F::Album, F::Categories, F::Media, F::Cadenzio});
    if (!files_->ok() || tag_.claim(state_, thread) != 0) {
        state_.dialogs().message("Error!",
                                 "The wizard's work file could not be prepared (" +
                                     state_.error().text + "). The wizard is closed.",
                                 MessageIcon::Error, Button::Ok, Button::Ok);
        return;
    }
    list_ = std::make_unique<TrackList>(state_, tag_.tag());
    // A run starts from a cleared song record (nothing of the caller's song leaks in), or
    // from the song the song form's Copy handed it.
    cat.file(F::Cadenzio).clearBuffer();
    if (copied) cat.song() = *copied;
    if (cat.song().Media.empty()) cat.song().Media = SongFormRules::kDefaultMedia;

    tabs_ = new QTabWidget(this);
    tabs_->setObjectName("Tabs");
    tabs_->addTab(buildGeneral(), "&General");
    tabs_->addTab(buildSongs(), "&Songs");
    addToAlbums_ = new QCheckBox("Add Information to Album Database", this);
    addToAlbums_->setObjectName("AddToAlbumsBox");
    addToAlbums_->setChecked(true);
    auto* ok = new QPushButton("&OK", this);
    ok->setObjectName("OkButton");
    ok->setToolTip("Exit and save window changes");
    auto* cancel = new QPushButton("Cancel", this);
    cancel->setObjectName("CancelButton");
    cancel->setToolTip("Exit and do not save changes");
    connect(ok, &QPushButton::clicked, this, &AlbumWizard::transfer);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(addToAlbums_);
    bottom->addStretch();
    bottom->addWidget(ok);
    bottom->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
    layout->addLayout(bottom);

    loadLists();
    reloadTracks(0);
    if (!compilation) WindowPlacement::restore(*this, state_.settingsFile(), kPlacementSection);
}

AlbumWizard::~AlbumWizard() {
    if (tag_.held()) tag_.release(state_);
}

QLineEdit* AlbumWizard::entry(QWidget* page, const char* name, int maxChars) {
    auto* e = new QLineEdit(page);
    e->setObjectName(name);
    e->setMaxLength(maxChars);
    return e;
}

QWidget* AlbumWizard::buildGeneral() {
    auto* page = new QWidget(this);
    page->setObjectName("GeneralPage");
    auto* form = new QFormLayout(page);
    if (kind_ == Kind::SingleArtist) {
        artist_ = entry(page, "ArtistEntry", kTitleChars);
        form->addRow("&Artist:", artist_);
    }
    album_ = entry(page, "AlbumEntry", kTitleChars);
    form->addRow(kind_ == Kind::SingleArtist ? "A&lbum:" : "&Compilation Name:", album_);
    releaseDate_ = entry(page, "ReleaseDateEntry", kTitleChars);
    form->addRow("&Release Date:", releaseDate_);
    fileNumber_ = entry(page, "FileNumberEntry", kFileNumberChars);
    form->addRow("&File Number:", fileNumber_);
    category_ = new QComboBox(page);
    category_->setObjectName("CategoryCombo");
    category_->setEditable(true);
    connect(category_->lineEdit(), &QLineEdit::editingFinished, this, &AlbumWizard::categoryLeft);
    form->addRow("&Category:", category_);
    media_ = new QComboBox(page);
    media_->setObjectName("MediaList");
    form->addRow("&Media:", media_);
    auto* find = new QPushButton("Find Release...", page);
    find->setObjectName("FindReleaseButton");
    find->setToolTip("Find the album by its barcode, catalogue number, or artist and title");
    find->setAutoDefault(false);
    connect(find, &QPushButton::clicked, this, &AlbumWizard::findRelease);
    auto* findRow = new QHBoxLayout;
    findRow->addWidget(find);
    findRow->addStretch();
    form->addRow("", findRow);
    return page;
}

QWidget* AlbumWizard::buildSongs() {
    auto* page = new QWidget(this);
    page->setObjectName("SongsPage");
    trackView_ = new QTreeWidget(page);
    trackView_->setObjectName("TrackList");
    trackView_->setRootIsDecorated(false);
    trackView_->setContextMenuPolicy(Qt::CustomContextMenu);
    QStringList columns{"Track"};
    if (kind_ == Kind::Compilation) columns << "Artist";
    columns << "Title"
            << "Time";
    trackView_->setHeaderLabels(columns);
    trackView_->installEventFilter(this);
    connect(trackView_, &QTreeWidget::itemDoubleClicked, this, &AlbumWizard::changeTrack);
    connect(trackView_, &QWidget::customContextMenuRequested, this, &AlbumWizard::trackMenu);

    auto button = [page](const char* name, const char* caption, const char* tip = nullptr) {
        auto* b = new QPushButton(caption, page);
        b->setObjectName(name);
        if (tip) b->setToolTip(tip);
        return b;
    };
    using Move = TrackList::Move;
    struct MoveButton {
        const char* name;
        const char* caption;
        const char* tip;
        Move how;
    };
    const MoveButton moves[] = {
        {"MoveUpButton", "Up", "Move record up one", Move::Up},
        {"MoveTopButton", "Top", "Move record to the top", Move::Top},
        {"MoveDownButton", "Down", "Move record down one", Move::Down},
        {"MoveBottomButton", "Bottom", "Move record to the bottom", Move::Bottom},
    };
    auto* side = new QVBoxLayout;
    for (const MoveButton& m : moves) {
        QPushButton* b = button(m.name, m.caption, m.tip);
        connect(b, &QPushButton::clicked, this, [this, how = m.how] { moveTrack(how); });
        side->addWidget(b);
    }
    side->addStretch();
    auto* row = new QHBoxLayout;
    QPushButton* add = button("AddButton", "&Add");
    QPushButton* change = button("ChangeButton", "&Change");
    QPushButton* remove = button("DeleteButton", "&Delete");
    QPushButton* disc = button("ReadDiscButton", "&Read Compact Disc Information");
    QPushButton* all = button("EditAllButton", "Edit All Son&gs");
    QPushButton* paste = button("PasteTitlesButton", "Paste titles",
                                "Title the tracks in order from the lines on the clipboard");
    connect(add, &QPushButton::clicked, this, &AlbumWizard::addTrack);
    connect(change, &QPushButton::clicked, this, &AlbumWizard::changeTrack);
    connect(remove, &QPushButton::clicked, this, &AlbumWizard::deleteTrack);
    connect(disc, &QPushButton::clicked, this, &AlbumWizard::readDisc);
    connect(all, &QPushButton::clicked, this, &AlbumWizard::editAll);
    QPushButton* lookup =
        button("LookUpTitlesButton", "Look &up titles",
               "Title the album and its tracks from the online title service, by the disc in "
               "the drive");
    connect(paste, &QPushButton::clicked, this, &AlbumWizard::pasteTitles);
    connect(lookup, &QPushButton::clicked, this, &AlbumWizard::lookUpTitles);
    for (QPushButton* b : {add, change, remove, disc, all, paste, lookup}) row->addWidget(b);
    auto* grid = new QGridLayout(page);
    grid->addWidget(trackView_, 0, 0);
    grid->addLayout(side, 0, 1);
    grid->addLayout(row, 1, 0, 1, 2);
    return page;
}

void AlbumWizard::loadLists() {
    const SongRecord& song = state_.catalogue().song();
    // The General page shows the template song (blank unless the song form's Copy gave one).
    if (artist_) artist_->setText(text(song.Artist.clipped()));
    album_->setText(text(song.Album.clipped()));
    fileNumber_->setText(text(song.FileNumber.clipped()));
    if (song.ReleaseDate > 0) {
        releaseDate_->setText(
            QString::fromStdString(
                formatPicture("@" + state_.settings().dateFormat, song.ReleaseDate))
                .trimmed());
    }
    for (const std::string& name : rules_.categoryNames()) category_->addItem(text(name));
    rules_.showCategory();
    category_->setCurrentText(text(state_.catalogue().category().Category.clipped()));
    for (const std::string& name : rules_.mediaNames()) media_->addItem(text(name));
    const int at = media_->findText(text(song.Media.clipped()));
    media_->setCurrentIndex(at >= 0 ? at : 0);
}

AlbumWizardChecks AlbumWizard::checks() {
    AlbumWizardChecks::Lookups lookups;
    lookups.acceptCategory = [this](const std::string& name) {
        state_.catalogue().category().Category = name;
        return rules_.acceptCategory();
    };
    lookups.mediaFiled = [this](const std::string& name) {
        Catalogue& cat = state_.catalogue();
        const MediaRecord kept = cat.media();
        cat.media().Media = name;
        const bool known = cat.file(F::Media).get(MediaRecord::KeyMedia) == 0;
        cat.media() = kept;
        return known;
    };
    return AlbumWizardChecks("@" + state_.settings().dateFormat, kind_ == Kind::SingleArtist,
                             std::move(lookups));
}

AlbumGeneralTyped AlbumWizard::typedGeneral() const {
    AlbumGeneralTyped typed;
    if (artist_) typed.artist = artist_->text().toStdString();
    typed.album = album_->text().toStdString();
    typed.releaseDate = releaseDate_->text().trimmed().toStdString();
    typed.fileNumber = fileNumber_->text().toStdString();
    typed.category = category_->currentText().trimmed().toStdString();
    if (media_->currentIndex() >= 0) typed.media = media_->currentText().toStdString();
    return typed;
}

// The General page's values into the song buffer once the checks accept them. False when the
// focus must stay on one of them.
bool AlbumWizard::takeGeneral() {
    const auto taken = checks().general(typedGeneral());
    if (const auto* problem = std::get_if<AlbumGeneralProblem>(&taken)) {
        refuse(*problem);
        return false;
    }
    const auto& values = std::get<AlbumGeneralValues>(taken);
    SongRecord& song = state_.catalogue().song();
    if (values.artist) song.Artist = *values.artist;
    song.Album = values.album;
    song.FileNumber = values.fileNumber;
    song.ReleaseDate = values.releaseDate;
    song.Media = values.media;
    return true;
}

void AlbumWizard::refuse(const AlbumGeneralProblem& problem) {
    using Problem = AlbumGeneralProblem;
    if (!problem.text.empty()) {
        state_.dialogs().message(problem.title, problem.text, MessageIcon::Warning, Button::Ok,
                                 Button::Ok);
    } else if (problem.what == Problem::What::MediaNotFiled) {
        state_.warning()(Warning::ValueNotInFile, "MUS:Media",
                         state_.catalogue().file(F::Media).decl().label());
    }
    tabs_->setCurrentIndex(0);
    switch (problem.focus) {
        case Problem::Field::ReleaseDate:
            releaseDate_->setFocus();
            break;
        case Problem::Field::Category:
            category_->setFocus();
            break;
        case Problem::Field::Media:
            media_->setFocus();
            break;
    }
}

void AlbumWizard::categoryLeft() {
    if (checkingCategory_) return;
    checkingCategory_ = true;
    PendingPress pressed(*this);
    const auto problem = checks().category(category_->currentText().trimmed().toStdString());
    if (problem) refuse(*problem);
    checkingCategory_ = false;
    pressed.finish(!problem);
}

void AlbumWizard::reloadTracks(int select) {
    tracks_ = list_->read();
    trackView_->clear();
    for (const WizardTrack& t : tracks_) {
        QStringList cells{QString::number(t.track)};
        if (kind_ == Kind::Compilation) cells << text(t.artist);
        cells << text(t.title) << text(TimeToMinSec(t.time));
        trackView_->addTopLevelItem(new QTreeWidgetItem(cells));
    }
    // Titles from the disc or the title service are longer than "Track n": show them whole.
    for (int column = 0; column + 1 < trackView_->columnCount(); ++column)
        trackView_->resizeColumnToContents(column);
    if (!tracks_.empty()) {
        const int row = std::clamp(select, 0, static_cast<int>(tracks_.size()) - 1);
        trackView_->setCurrentItem(trackView_->topLevelItem(row));
    }
}

int AlbumWizard::currentIndex() const {
    QTreeWidgetItem* item = trackView_->currentItem();
    return item ? trackView_->indexOfTopLevelItem(item) : -1;
}

bool AlbumWizard::editTrack(const WizardTrack& track) {
    TrackForm form(state_, *list_, kind_ == Kind::Compilation, track, this);
    if (form.exec() != QDialog::Accepted) return false;
    tracks_ = list_->read();
    int row = 0;
    for (size_t i = 0; i < tracks_.size(); ++i) {
        if (tracks_[i].recno == form.track().recno) row = static_cast<int>(i);
    }
    reloadTracks(row);
    return true;
}

void AlbumWizard::addTrack() {
    WizardTrack fresh;
    if (kind_ == Kind::Compilation && !tracks_.empty()) fresh.artist = tracks_.back().artist;
    editTrack(fresh);
}

void AlbumWizard::changeTrack() {
    const int index = currentIndex();
    if (index < 0) return;
    editTrack(tracks_[static_cast<size_t>(index)]);
}

void AlbumWizard::deleteTrack() {
    const int index = currentIndex();
    if (index < 0) return;
    if (state_.warning()(Warning::ConfirmDelete) != Button::Ok) return;
    while (list_->remove(tracks_[static_cast<size_t>(index)].recno) != 0) {
        if (state_.warning()(Warning::DeleteRetry) != Button::Yes) break;
    }
    reloadTracks(index);
}

void AlbumWizard::moveTrack(TrackList::Move how) {
    const int index = currentIndex();
    if (index < 0) return;
    int landed = index;
    std::string section;
    if (list_->move(index, how, &landed, &section) != 0) {
        const WizardTrack& t = tracks_[static_cast<size_t>(index)];
        state_.dialogs().message(
            "Error!",
            "Record swap error: |" + state_.error().text +
                "|AddWizard, AW:KeyInstance|Key Field AW:Instance = " + std::to_string(tag_.tag()) +
                "|Key Field AW:Track = " + std::to_string(t.track) + "|Section = " + section +
                "|Nothing was moved.|",
            MessageIcon::Error, Button::Ok, Button::Ok);
    }
    reloadTracks(landed);
}

void AlbumWizard::readDisc() {
    Catalogue& cat = state_.catalogue();
    // The reader takes the tracks' artist from the album buffer; the album itself stays as the
    // caller left it.
    const AlbumRecord saved = cat.album();
    cat.album().Artist = artist_ ? artist_->text().toStdString() : std::string();
    CdReader reader(state_);
    const bool read = reader.read(CdReader::Mode::WorkFile, tag_.tag());
    cat.album() = saved;
    if (!read) return;
    // The disc's CD-Text names the album where the user has not.
    const auto fill = [](QLineEdit* entry, const std::string& value) {
        if (entry && entry->text().trimmed().isEmpty() && !value.empty())
            entry->setText(text(value));
    };
    fill(artist_, reader.text().albumPerformer);
    fill(album_, reader.text().albumTitle);
    reloadTracks(currentIndex());
}

void AlbumWizard::pasteTitles() {
    TitlePaste::fromClipboard(state_, [this](const std::vector<std::string>& titles, int& count) {
        return list_->retitle(titles, count);
    });
    reloadTracks(currentIndex());
}

void AlbumWizard::lookUpTitles() {
    if (lookingUp_) return;
    lookingUp_ = true;
    const std::optional<TitleLookup::Found> found = TitleLookup::run(state_);
    lookingUp_ = false;
    if (closeAfterLookup_) {
        done(*closeAfterLookup_);
        return;
    }
    if (found) applyRelease(found->release, found->trackTimes);
}

void AlbumWizard::findRelease() {
    if (lookingUp_) return;
    lookingUp_ = true;
    std::optional<FindReleaseWindow::Chosen> chosen =
        FindReleaseWindow::run(state_, this, artist_ ? artist_->text() : QString(), album_->text());
    lookingUp_ = false;
    if (!chosen) return;
    std::vector<int32_t> lengths;
    for (const TitleTrack& t : chosen->release.tracks)
        lengths.push_back(ReleaseFill::timeOf(t.lengthMs));
    if (!applyRelease(chosen->release, lengths)) return;
    fromRelease_.cover = std::move(chosen->cover);
    if (!chosen->coverNote.empty())
        state_.dialogs().message("Fetch Cover", chosen->coverNote, MessageIcon::Information,
                                 Button::Ok, Button::Ok);
}

bool AlbumWizard::applyRelease(const TitleRelease& release, const std::vector<int32_t>& times) {
    std::vector<WizardTrack> named;
    for (size_t i = 0; i < release.tracks.size(); ++i) {
        WizardTrack t;
        t.title = release.tracks[i].title;
        t.artist = release.tracks[i].artist;
        if (i < times.size()) t.time = times[i];
        named.push_back(std::move(t));
    }
    if (list_->name(named) != 0) {
        state_.dialogs().message(
            "Error",
            "The titles could not be written (" + state_.error().text + "). No track was changed.",
            MessageIcon::Error, Button::Ok, Button::Ok);
        reloadTracks(currentIndex());
        return false;
    }
    // The album's own fields only once its tracks are written, so nothing is half-filled.
    if (artist_) artist_->setText(text(release.artist).left(kTitleChars));
    album_->setText(text(release.title).left(kTitleChars));
    if (const int32_t day = release.day(); day > 0) {
        releaseDate_->setText(
            QString::fromStdString(formatPicture("@" + state_.settings().dateFormat, day))
                .trimmed());
    }
    if (const std::string media = ReleaseFill::mediaFor(release.format, rules_.mediaNames());
        !media.empty())
        media_->setCurrentText(text(media));
    fromRelease_ = AlbumTransfer::FromRelease{release, {}, {}};
    if (const int cut = ReleaseFill::cutValues(release, kTrackChars); cut > 0)
        state_.dialogs().message("Find Release",
                                 std::to_string(cut) + (cut == 1 ? " value" : " values") +
                                     " of the release did not fit and were cut.",
                                 MessageIcon::Information, Button::Ok, Button::Ok);
    const std::vector<WizardTrack> tracks = list_->read();
    for (size_t i = 0; i < tracks.size() && i < release.tracks.size(); ++i) {
        if (const std::string side = ReleaseFill::sideOf(release.tracks[i]); !side.empty())
            fromRelease_.sides[tracks[i].track] = side;
    }
    reloadTracks(0);
    return true;
}

void AlbumWizard::editAll() {
    const std::vector<WizardTrack> tracks = list_->read();
    for (const WizardTrack& t : tracks) {
        if (!editTrack(t)) {
            reloadTracks(currentIndex());
            return;
        }
    }
    state_.dialogs().message("Information", "End of songs on this album.", MessageIcon::Information,
                             Button::Ok, Button::Ok);
    reloadTracks(currentIndex());
}

void AlbumWizard::transfer() {
    if (lookingUp_) return;
    if (!takeGeneral()) return;
    const AlbumTransfer::Outcome out = AlbumTransfer(state_, tag_.tag(), kind_ == Kind::Compilation,
                                                     addToAlbums_->isChecked(), fromRelease_)
                                           .run(state_.catalogue().song());
    if (out.code != 0) {
        reloadTracks(currentIndex());
        return;
    }
    tag_.forget();  // the marker went with the transfer
    transferred_ = true;
    accept();
}

void AlbumWizard::trackMenu() {
    const bool any = !tracks_.empty();
    const std::string menu =
        std::string("&Add|") + (any ? "" : "~") + "&Change|" + (any ? "" : "~") + "&Delete";
    switch (state_.dialogs().popup(menu)) {
        case 1:
            addTrack();
            break;
        case 2:
            changeTrack();
            break;
        case 3:
            deleteTrack();
            break;
        default:
            break;
    }
}

bool AlbumWizard::eventFilter(QObject* watched, QEvent* event) {
    if (watched == trackView_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if (key->key() == Qt::Key_Insert) {
            addTrack();
            return true;
        }
        if (key->key() == Qt::Key_Delete) {
            deleteTrack();
            return true;
        }
        if (enter && (key->modifiers() & Qt::ControlModifier)) {
            changeTrack();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void AlbumWizard::done(int result) {
    if (lookingUp_) {
        closeAfterLookup_ = result;
        return;
    }
    state_.respond(transferred_ ? Response::Completed : Response::Cancelled);
    if (tag_.held()) tag_.release(state_);
    if (kind_ == Kind::SingleArtist && list_) {
        WindowPlacement::save(*this, state_.settingsFile(), kPlacementSection);
    }
    QDialog::done(result);
}

void AlbumWizard::run(AppState& state, Kind kind, QWidget* parent) {
    const bool copying = state.takeRequest() == Request::Select;
    const SongRecord copied = state.catalogue().song();
    state.respond(Response::Cancelled);
    AlbumWizard wizard(state, kind, threadOf(state, parent), parent, copying ? &copied : nullptr);
    if (!wizard.ready()) return;
    wizard.exec();
}

}  // namespace cdz
