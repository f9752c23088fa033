#include "app/songs/SongsForAlbumForm.h"

#include "app/engine/state/AppState.h"
#include "app/songs/SongForm.h"
#include "runtime/text/Text.h"

namespace cdz {

void SongsForAlbumForm::prime(AppState& state, Request request) {
    Catalogue& c = state.catalogue();
    SongRecord& song = c.song();
    const AlbumRecord& album = c.album();
    song.AlbumID = album.AlbumID;
    song.Album = album.Album.view();
    if (request == Request::Insert || request == Request::Select) {
        if (clip(song.Notes).empty()) song.Notes = album.Notes;
        if (song.FileNumber.clipped().empty()) song.FileNumber = album.FileNumber.view();
        if (song.Artist.clipped().empty()) song.Artist = album.Artist.view();
        if (song.ReleaseDate == 0) song.ReleaseDate = album.ReleaseDate;
        if (song.CategoryID == 0) song.CategoryID = static_cast<int32_t>(album.CategoryID.toInt());
        song.Media = album.Media.view();
    }
    if (song.Media.clipped().empty()) song.Media = SongFormRules::kDefaultMedia;
}

Response SongsForAlbumForm::run(AppState& state, QWidget* parent) {
    const DataFile& songs = state.catalogue().file(CatalogueFile::Cadenzio);
    // A change measures from the song as the list gave it, so that the album's values put in
    // here are saved too.
    RecordCopy original = RecordCopy::take(songs.decl(), songs.record());
    prime(state, state.request());
    SongFormRules rules(state);
    FormDeclaration declaration = SongForm::declaration();
    declaration.section = kProcedure;
    FormWindowSpec window = SongForm::window(state, rules);
    window.buttons.clear();  // no "Default with Album Information"
    return FormWindow::run(state, std::move(declaration), std::move(window), parent,
                           [&rules, &original, &state](FormEngine& engine) {
                               engine.setOriginal(std::move(original));
                               engine.setAfterWrite([&rules, &state] {
                                   state.answerWith("OK");
                                   rules.linkAlbum();
                               });
                           });
}

}  // namespace cdz
