#include "app/playlists/PlaylistEntryForm.h"

#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>

#include <memory>

#include "app/engine/state/AppState.h"
#include "app/engine/state/ProcedureNames.h"
#include "app/playlists/PlaylistEntries.h"

namespace cdz {
namespace {

// The song's artist and title beside the note, shown only.
struct EntryFormParts {
    explicit EntryFormParts(AppState& s) : state(s) {}
    AppState& state;
    QPointer<QLineEdit> artist;
    QPointer<QLineEdit> title;

    void showSong() {
        Catalogue& c = state.catalogue();
        PlaylistEntries entries(c);
        const bool found = entries.songExists(c.playlistEntry().ID.toInt());
        if (artist) artist->setText(found ? QString::fromUtf8(c.song().Artist.clipped()) : "");
        if (title) title->setText(found ? QString::fromUtf8(c.song().Title.clipped()) : "");
    }

    void selectSong() {
        if (state.call(proc::kSelectFileNumber, Request::Select) == Response::Completed) {
            state.catalogue().playlistEntry().ID =
                Decimal<6, 0>::fromRaw(state.catalogue().song().ID);
        }
    }
};

// A prompt and the field it names, shown only. The prompt's accelerator takes the focus to the
// field (where its text can be selected), so the field takes the focus but not from Tab.
void addShown(FormWindowSpec& w, int y, const char* caption, const char* name,
              QPointer<QLineEdit>* edit) {
    auto prompt = std::make_shared<QPointer<QLabel>>();
    w.panels.push_back({0, QRect(6, y + 2, 56, 10), [caption, prompt](QWidget* page) -> QWidget* {
                            *prompt = new QLabel(caption, page);
                            return prompt->data();
                        }});
    w.panels.push_back({0, QRect(64, y, 168, 12), [name, edit, prompt](QWidget* page) -> QWidget* {
                            auto* e = new QLineEdit(page);
                            e->setObjectName(name);
                            e->setReadOnly(true);
                            e->setFocusPolicy(Qt::ClickFocus);
                            if (*prompt) (*prompt)->setBuddy(e);
                            *edit = e;
                            return e;
                        }});
}

FormWindowSpec window(EntryFormParts& parts) {
    FormWindowSpec w;
    w.designTitle = PlaylistEntryForm::kTitle;
    // The sheet is tall enough for the title's field below its tab bar.
    w.designSize = QSize(250, 118);
    w.tabs = {"General"};
    w.sheetPlace = QRect(4, 4, 242, 90);
    FormEntry notes;
    notes.tab = 0;
    notes.prompt = "&Playlist Notes:";
    notes.field = "PLA:PlaylistNotes";
    notes.picture = "s40";
    notes.promptPlace = QRect(6, 10, 56, 10);
    notes.entryPlace = QRect(64, 8, 168, 12);
    w.entries.push_back(std::move(notes));
    w.panels.push_back({0, QRect(64, 24, 70, 14), [&parts](QWidget* page) -> QWidget* {
                            auto* b = new QPushButton("&Select Song", page);
                            b->setObjectName("SelectSongButton");
                            b->setAutoDefault(false);
                            QObject::connect(b, &QPushButton::clicked, b, [b, &parts] {
                                auto* form = qobject_cast<FormWindow*>(b->window());
                                if (form) {
                                    form->act([&parts] { parts.selectSong(); });
                                } else {
                                    parts.selectSong();
                                }
                            });
                            return b;
                        }});
    addShown(w, 42, "&Artist:", "ArtistShown", &parts.artist);
    addShown(w, 58, "&Title:", "TitleShown", &parts.title);
    w.okPlace = QRect(150, 100, 46, 14);
    w.cancelPlace = QRect(200, 100, 46, 14);
    w.beforeDisplay = [&parts] { parts.showSong(); };
    return w;
}

}  // namespace

FormDeclaration PlaylistEntryForm::declaration() {
    FormDeclaration d;
    d.file = CatalogueFile::PlaylistDetails;
    // Numbered by the caller within the playlist, added when the form completes.
    d.uniqueKeys = {{"PLA:KeyPlaylistID", "PLA:KeyPlaylistID"}};
    d.updateFlag = Integrity::kOtherForm;
    d.insertTitle = kTitle;
    d.changeTitle = kTitle;
    d.section = kSection;
    d.otherFiles = {CatalogueFile::Cadenzio};
    return d;
}

Response PlaylistEntryForm::run(AppState& state, QWidget* parent) {
    Catalogue& c = state.catalogue();
    if (state.request() == Request::Insert) {
        const int32_t playlist = c.playlistEntry().PlaylistID;
        int64_t highest = 0;
        if (PlaylistEntries(c).highestSeq(playlist, &highest) != 0) {
            state.warning()(Warning::RecordRetrievalError, "PlaylistDetails");
            state.takeRequest();
            state.respond(Response::Cancelled);
            return Response::Cancelled;
        }
        c.file(CatalogueFile::PlaylistDetails).clearBuffer();
        c.playlistEntry().PlaylistID = playlist;
        c.playlistEntry().PlaylistSeq = Decimal<6, 0>::fromRaw(highest + 1);
    }
    EntryFormParts parts(state);
    return FormWindow::run(state, declaration(), window(parts), parent);
}

}  // namespace cdz
