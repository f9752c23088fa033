#include "app/songs/SongFormRules.h"

#include <algorithm>

#include "app/engine/state/AppState.h"
#include "runtime/data/ErrorGuard.h"
#include "runtime/text/Text.h"

namespace cdz {
namespace {

using F = CatalogueFile;

std::string clipped(std::string_view s) {
    return std::string(clip(s));
}

}  // namespace

SongFormRules::SongFormRules(AppState& state) : state_(state) {}

bool SongFormRules::enter(Request request) {
    SongRecord& song = state_.catalogue().song();
    if (song.Media.clipped().empty()) song.Media = kDefaultMedia;
    if (request != Request::Insert && request != Request::Select) return true;
    const std::string mode = state_.settings().addMode;
    char kind = mode.empty() ? ' ' : mode.front();
    if (kind == 'A') {
        if (!song.Title.clipped().empty() || !song.Artist.clipped().empty() ||
            !song.FileNumber.clipped().empty() || !song.Album.clipped().empty()) {
            return true;
        }
        const std::string chosen = state_.ask(kAddTypeQuestion);
        kind = chosen.empty() ? ' ' : chosen.front();
    }
    if (kind != 'C' && kind != 'S') return true;
    // The wizard takes the request as the form was called with it.
    state_.call(kind == 'C' ? kCompilationWizard : kSingleArtistWizard, request);
    return false;
}

std::vector<std::string> SongFormRules::mediaNames() {
    std::vector<std::string> names;
    DataFile& media = state_.catalogue().file(F::Media);
    ErrorGuard keep(media.database().error());
    MediaRecord saved = state_.catalogue().media();
    if (media.set(MediaRecord::KeyMedia) == 0) {
        while (media.next() == 0) names.push_back(state_.catalogue().media().Media.str());
    }
    state_.catalogue().media() = saved;
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::string> SongFormRules::categoryNames() {
    categories_.clear();
    DataFile& file = state_.catalogue().file(F::Categories);
    ErrorGuard keep(file.database().error());
    CategoryRecord saved = state_.catalogue().category();
    if (file.set(CategoryRecord::KeyCategoryID) == 0) {
        while (file.next() == 0) {
            const CategoryRecord& c = state_.catalogue().category();
            categories_.emplace(std::string(c.Category.clipped()), c.CategoryID.toInt());
        }
    }
    state_.catalogue().category() = saved;
    std::vector<std::string> names;
    for (const auto& [name, id] : categories_) {
        if (!name.empty()) names.push_back(name);
    }
    return names;
}

void SongFormRules::showCategory() {
    Catalogue& c = state_.catalogue();
    const int32_t id = c.song().CategoryID;
    ErrorGuard keep(c.database().error());
    c.file(F::Categories).clearBuffer();
    if (id == 0) return;
    c.category().CategoryID = id;
    if (c.file(F::Categories).get(CategoryRecord::KeyCategoryID) != 0) {
        c.file(F::Categories).clearBuffer();
    }
}

bool SongFormRules::acceptCategory() {
    Catalogue& c = state_.catalogue();
    const std::string name(c.category().Category.clipped());
    if (name.empty()) {
        c.song().CategoryID = 0;
        return true;
    }
    if (categories_.empty()) categoryNames();
    if (auto it = categories_.find(name); it != categories_.end()) {
        c.song().CategoryID = static_cast<int32_t>(it->second);
        return true;
    }
    const Button answer =
        state_.dialogs().message("Category not found", "Add new category?", MessageIcon::Question,
                                 Buttons(Button::Yes) | Button::No, Button::Yes);
    if (answer != Button::Yes) return false;
    if (!addCategory(name)) return false;
    categoryNames();
    return acceptCategory();
}

int64_t SongFormRules::nextNumber(int file, const char* key, const char* field) {
    DataFile& f = state_.catalogue().file(static_cast<F>(file));
    const int k = f.keyIndex(key);
    const FieldDesc* number = f.decl().column(field);
    if (f.set(k) != 0 || f.previous() != 0) return 1;
    return number->integer(f.record()) + 1;
}

// The highest number + 1, tried again when another station took it meanwhile.
bool SongFormRules::addCategory(const std::string& name) {
    Catalogue& c = state_.catalogue();
    DataFile& file = c.file(F::Categories);
    int code = 0;
    for (int attempt = 0; attempt < 3; ++attempt) {
        const int64_t next =
            nextNumber(static_cast<int>(F::Categories), "CAT:KeyCategoryID", "CAT:CategoryID");
        file.clearBuffer();
        c.category().CategoryID = static_cast<double>(next);
        c.category().Category = name;
        if ((code = file.add()) == 0) return true;
        if (code != err::kDuplicateKey) break;
    }
    const ErrorState& e = file.error();
    state_.dialogs().message("Error!", "Unable to add category - " + clipped(e.text),
                             MessageIcon::Warning, Button::Ok, Button::Ok);
    c.category().Category = name;
    return false;
}

void SongFormRules::defaultWithAlbum() {
    Catalogue& c = state_.catalogue();
    if (state_.call(kAlbumPicker, Request::Select) != Response::Completed) return;
    SongRecord& song = c.song();
    const AlbumRecord& album = c.album();
    if (clip(song.Notes).empty()) song.Notes = album.Notes;
    if (song.FileNumber.clipped().empty()) song.FileNumber = album.FileNumber.view();
    if (song.Artist.clipped().empty()) song.Artist = album.Artist.view();
    if (song.ReleaseDate == 0) song.ReleaseDate = album.ReleaseDate;
    if (song.CategoryID == 0) song.CategoryID = static_cast<int32_t>(album.CategoryID.toInt());
    song.Album = album.Album.view();
    song.Media = album.Media.view();
    song.AlbumID = album.AlbumID;
}

void SongFormRules::linkAlbum() {
    Catalogue& c = state_.catalogue();
    SongRecord& song = c.song();
    if (clip(state_.settings().autoAddToAlbums).empty() || song.AlbumID != 0) return;
    // A song without an album title is on no album, rather than on a nameless one.
    if (song.Album.clipped().empty()) return;
    DataFile& albums = c.file(F::Album);
    DataFile& songs = c.file(F::Cadenzio);
    const int64_t songRecord = songs.recordNumber();
    albums.clearBuffer();
    c.album().Album = song.Album.view();
    c.album().Artist = song.Artist.view();
    if (albums.get(AlbumRecord::KeyAlbum) != 0) {
        int code = 0;
        for (int attempt = 0; attempt < 3; ++attempt) {
            const int64_t next =
                nextNumber(static_cast<int>(F::Album), "ALB:KeyAlbumID", "ALB:AlbumID");
            albums.clearBuffer();
            AlbumRecord& a = c.album();
            a.AlbumID = static_cast<int32_t>(next);
            a.Notes = song.Notes;
            a.Media = song.Media.view();
            a.Artist = song.Artist.view();
            a.Album = song.Album.view();
            a.FileNumber = song.FileNumber.view();
            a.ReleaseDate = song.ReleaseDate;
            a.CategoryID = static_cast<double>(song.CategoryID);
            if ((code = albums.add()) == 0 || code != err::kDuplicateKey) break;
        }
        if (code != 0) {
            state_.dialogs().message(
                "Album Not Added",
                "The song was saved without an album: the album " +
                    std::string(song.Album.clipped()) +
                    " could not be added.  Error: " + clipped(albums.error().text) + ".",
                MessageIcon::Warning, Button::Ok, Button::Ok);
            return;
        }
    }
    const SongRecord typed = song;
    // The song is the current record of its file again before it is written with the link.
    if (songs.recordNumber() != songRecord && songs.getRecord(songRecord) != 0) return;
    song = typed;
    song.AlbumID = c.album().AlbumID;
    if (songs.put() != 0) {
        song.AlbumID = 0;
        state_.warning()(Warning::UpdateError, songs.decl().label());
    }
}

}  // namespace cdz
