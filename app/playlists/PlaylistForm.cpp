#include "app/playlists/PlaylistForm.h"

#include <QPointer>

#include "app/engine/state/AppState.h"
#include "app/playlists/PlaylistEntries.h"
#include "app/playlists/PlaylistEntryList.h"
#include "runtime/text/DateTime.h"

namespace cdz {
namespace {

enum Page { PlayList, Notes };

FormWindowSpec window(AppState& state) {
    FormWindowSpec w;
    w.designTitle = PlaylistForm::kTitle;
    w.designSize = QSize(400, 232);
    w.tabs = {"Play List", "Notes"};
    w.sheetPlace = QRect(4, 4, 392, 204);

    FormEntry name;
    name.tab = PlayList;
    name.prompt = "&Playlist Description:";
    name.field = "PLD:PlaylistDescription";
    name.picture = "s20";
    name.promptPlace = QRect(6, 10, 76, 10);
    name.entryPlace = QRect(84, 8, 120, 12);
    w.entries.push_back(std::move(name));

    FormEntry notes;
    notes.tab = Notes;
    notes.type = FormEntry::Type::Text;
    notes.field = "PLD:Notes";
    notes.entryPlace = QRect(6, 6, 378, 150);
    w.entries.push_back(std::move(notes));

    FormEntry edited;
    edited.tab = Notes;
    edited.prompt = "Last Edit Date:";
    edited.field = "PLD:LastEditDate";
    edited.picture = "d18";
    edited.promptPlace = QRect(6, 164, 60, 10);
    edited.entryPlace = QRect(68, 162, 70, 12);
    w.entries.push_back(std::move(edited));

    w.panels.push_back({PlayList, QRect(4, 24, 382, 160), [&state](QWidget* page) -> QWidget* {
                            auto* list = new PlaylistEntryList(state, page);
                            QObject::connect(list, &PlaylistEntryList::failed, list, [list] {
                                if (auto* form = qobject_cast<FormWindow*>(list->window())) {
                                    form->reject();
                                }
                            });
                            return list;
                        }});

    w.okPlace = QRect(300, 214, 46, 14);
    w.cancelPlace = QRect(350, 214, 46, 14);
    // Every save records the day of the change, whatever else changed.
    w.beforeOk = [&state] { state.catalogue().playlist().LastEditDate = today(); };
    // Songs are dragged onto the entries from the song browse.
    w.takesDrops = true;
    return w;
}

}  // namespace

FormDeclaration PlaylistForm::declaration() {
    FormDeclaration d;
    d.file = CatalogueFile::PlaylistMaster;
    d.numberKey = "PLD:KeyPlaylistID";
    d.numberField = "PLD:PlaylistID";
    d.uniqueKeys = {{"PLD:KeyPlaylistID", "PLD:KeyPlaylistID"},
                    {"PLD:KeyPlaylistDescription", "Playlists"}};
    d.updateFlag = Integrity::kOtherForm;
    d.insertTitle = kTitle;
    d.changeTitle = kTitle;
    d.section = kProcedure;
    d.otherFiles = {CatalogueFile::PlaylistDetails, CatalogueFile::Cadenzio};
    return d;
}

Response PlaylistForm::run(AppState& state, QWidget* parent) {
    return FormWindow::run(
        state, declaration(), window(state), parent, [&state](FormEngine& engine) {
            // The entries dropped or added on the reserved number go with it, so that they never
            // pass to the next playlist that gets the number.
            engine.setCancelInsert([&state, &engine] {
                DataFile& playlists = state.catalogue().file(CatalogueFile::PlaylistMaster);
                if (const int code = playlists.getRecord(engine.reservedRecord())) return code;
                return PlaylistEntries(state.catalogue())
                    .removeAll(state.catalogue().playlist().PlaylistID);
            });
        });
}

}  // namespace cdz
