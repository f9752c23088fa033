#include "app/albums/AlbumForm.h"

#include <QLabel>
#include <QPushButton>

#include <algorithm>
#include <vector>

#include "app/albums/AlbumAttachments.h"
#include "app/albums/AlbumCdButtons.h"
#include "app/albums/AlbumFormRules.h"
#include "app/albums/AlbumReleaseButtons.h"
#include "app/albums/AlbumSongList.h"
#include "app/engine/form/FormLayout.h"
#include "app/engine/state/AppState.h"

namespace cdz {
namespace {

using T = FormEntry::Type;

enum Page { General, Songs, Notes, Files, CompactDisc, Other };

// Prompts at the left of a page, controls beside them, one line every 16 dialog units.
constexpr FormLayout kPage({70, 8, 16, 8, 356});

std::vector<std::string> mediaNames(AppState& state) {
    std::vector<std::string> names;
    DataFile& media = state.catalogue().file(CatalogueFile::Media);
    const MediaRecord saved = state.catalogue().media();
    if (media.set(MediaRecord::KeyMedia) == 0) {
        while (media.next() == 0) names.push_back(state.catalogue().media().Media.str());
    }
    state.catalogue().media() = saved;
    std::sort(names.begin(), names.end());
    return names;
}

// Everything the window's controls act through, alive as long as the window.
struct AlbumFormParts {
    explicit AlbumFormParts(AppState& s) : state(s) {}
    AppState& state;
    AlbumFormRules rules{state};
    AlbumAttachments attachments{state};
    AlbumCdButtons cd{state};
    AlbumReleaseButtons release{state};
    QPointer<AlbumSongList> songs;
};

// The controls of the pages that hold fields of the album.
void addEntries(std::vector<FormEntry>& e, AppState& state) {
    e.push_back(kPage.line(General, 0, "&Artist:", "ALB:Artist", "s40", 170));
    e.push_back(kPage.line(General, 1, "A&lbum:", "ALB:Album", "s40", 170));
    FormEntry media = kPage.line(General, 2, "&Media:", "ALB:Media", "s20", 100, T::Combo);
    media.items = [&state] { return mediaNames(state); };
    media.check = FieldCheck::inFile("ALB:Media", CatalogueFile::Media, "MED:KeyMedia");
    e.push_back(std::move(media));
    e.push_back(kPage.line(General, 3, "&File Number:", "ALB:FileNumber", "s20", 100));
    e.push_back(kPage.line(General, 4, "&Release Date:", "ALB:ReleaseDate", "d17", 70));

    FormEntry notes = kPage.notes(Notes, 0, "", "ALB:Notes", 170);
    notes.entryPlace = QRect(6, 6, 356, 170);
    e.push_back(std::move(notes));

    constexpr int kFilesLeft = 90;
    e.push_back(kPage.line(Files, 0, "Associated WAV File:", "ALB:AssociatedWAVFile", "s128", 180,
                           T::Entry, kFilesLeft));
    e.push_back(kPage.line(Files, 1, "Associated Image:", "ALB:AssociatedImage", "s128", 180,
                           T::Entry, kFilesLeft));
    e.push_back(
        kPage.line(Files, 2, "Playlist:", "ALB:Playlist", "s70", 180, T::Entry, kFilesLeft));

    constexpr int kCdLeft = 90;
    e.push_back(
        kPage.line(CompactDisc, 2, "XCCD Database #:", "ALB:XCCD", "s32", 130, T::Entry, kCdLeft));
    e.push_back(kPage.line(CompactDisc, 3, "CD Serial #:", "ALB:CDIdentifier", "s24", 130, T::Entry,
                           kCdLeft));

    constexpr int kOtherLeft = 70;
    e.push_back(kPage.line(Other, 0, "Rating:", "ALB:Rating", "s2", 20, T::Entry, kOtherLeft));
    e.push_back(kPage.line(Other, 1, "Purchase Date:", "ALB:PurchaseDate", "d17", 70, T::Entry,
                           kOtherLeft));
    e.push_back(
        kPage.line(Other, 2, "Pur Price:", "ALB:PurPrice", "n-10.2", 60, T::Entry, kOtherLeft));
    e.push_back(
        kPage.line(Other, 3, "Current Value:", "ALB:Value", "n-10.2", 60, T::Entry, kOtherLeft));
    e.push_back(kPage.notes(Other, 72, "Recording:", "ALB:Recording", 36));
    e.push_back(kPage.notes(Other, 122, "Performance:", "ALB:Performance", 36));
}

// The song list, the attachments and the disc's buttons.
void addPanels(std::vector<FormPanel>& p, AlbumFormParts& parts) {
    AppState& state = parts.state;
    p.push_back({Songs, QRect(2, 2, 362, 176), [&parts, &state](QWidget* page) -> QWidget* {
                     parts.songs = AlbumSongList::open(state, parts.rules, page);
                     if (!parts.songs) return nullptr;
                     parts.songs->setStoreForm([songs = parts.songs] {
                         if (auto* form = qobject_cast<FormWindow*>(songs->window())) {
                             form->storeAll();
                         }
                     });
                     return parts.songs;
                 }});
    p.push_back({Files, QRect(274, 8, 22, 12),
                 [&parts](QWidget* page) -> QWidget* { return parts.attachments.makePlay(page); }});
    p.push_back(FormLayout::button(Files, QRect(274, 24, 22, 12), "...", "ChooseImageButton",
                                   [&parts] { parts.attachments.chooseImage(); }));
    p.push_back({Files, QRect(90, 60, 120, 110), [&parts](QWidget* page) -> QWidget* {
                     return parts.attachments.makeImage(page);
                 }});
    p.push_back(FormLayout::button(
        General, QRect(76, 88, 80, 14), "Find Release...", "FindReleaseButton",
        [&parts] {
            if (!parts.release.findRelease(nullptr)) return;
            if (parts.songs) parts.songs->reload();
            parts.attachments.refresh();
        },
        "Find the album by its barcode, catalogue number, or artist and title"));
    p.push_back(FormLayout::button(
        Files, QRect(216, 60, 60, 14), "Fetch Cover", "FetchCoverButton",
        [&parts] {
            if (parts.release.fetchCover(nullptr)) parts.attachments.refresh();
        },
        "Fetch the front cover of the release named in the notes"));
    p.push_back(FormLayout::button(CompactDisc, QRect(6, 8, 160, 14),
                                   "Load Song Information from CD Player", "LoadFromCdButton",
                                   [&parts] {
                                       parts.cd.loadSongs();
                                       if (parts.songs) parts.songs->reload();
                                   }));
    p.push_back(FormLayout::button(CompactDisc, QRect(226, 56, 40, 12), "Read", "ReadSerialButton",
                                   [&parts] { parts.cd.readSerial(); }));
}

FormWindowSpec window(AlbumFormParts& parts) {
    FormWindowSpec w;
    w.designTitle = "Update Album";
    w.designSize = QSize(380, 228);
    w.tabs = {"General", "Songs", "Notes", "Associated Files", "Compact Disc", "Other"};
    w.sheetPlace = QRect(4, 4, 372, 198);
    // Songs are dragged onto the album's list from the song browse.
    w.takesDrops = true;
    addEntries(w.entries, parts.state);
    addPanels(w.panels, parts);
    w.okCaption = "&OK";
    w.okTip = "Exit window and save changes";
    w.okPlace = QRect(278, 208, 46, 14);
    w.cancelTip = "Exit window and do not save changes";
    w.cancelPlace = QRect(328, 208, 46, 14);
    w.dittoKey = QKeySequence(Qt::CTRL | Qt::Key_Apostrophe);
    w.beforeDisplay = [&parts] { parts.attachments.refresh(); };
    return w;
}

}  // namespace

FormDeclaration AlbumForm::declaration() {
    FormDeclaration d;
    d.file = CatalogueFile::Album;
    d.numberKey = "ALB:KeyAlbumID";
    d.numberField = "ALB:AlbumID";
    d.uniqueKeys = {{"ALB:KeyAlbumID", "ALB:KeyAlbumID"},
                    {"ALB:KeyAlbum", "ALB:KeyAlbum"},
                    {"ALB:KeyArtist", "ALB:KeyArtist"},
                    {"ALB:KeyCDIdentifier", "ALB:KeyCDIdentifier"}};
    d.updateFlag = Integrity::kOtherForm;
    d.insertTitle = "Adding an Album Record";
    d.changeTitle = "Changing an Album Record";
    d.section = kProcedure;
    d.ditto = true;
    d.otherFiles = {CatalogueFile::Media, CatalogueFile::Cadenzio};
    return d;
}

Response AlbumForm::run(AppState& state, QWidget* parent) {
    AlbumFormParts parts(state);
    parts.rules.enter(state.request());
    return FormWindow::run(state, declaration(), window(parts), parent,
                           [&parts, &state](FormEngine& engine) {
                               engine.setCancelInsert([&parts, &state, &engine] {
                                   DataFile& albums = state.catalogue().file(CatalogueFile::Album);
                                   const int code = albums.getRecord(engine.reservedRecord());
                                   if (code != 0) return code;
                                   return parts.rules.undoLinks(state.catalogue().album().AlbumID);
                               });
                           });
}

}  // namespace cdz
