#include "app/albums/AlbumFormRules.h"

#include <QString>

#include <algorithm>
#include <vector>

#include "app/albums/wizard/WizardTransaction.h"
#include "app/engine/state/AppState.h"
#include "runtime/data/ErrorGuard.h"
#include "runtime/text/Text.h"

namespace cdz {
namespace {

using F = CatalogueFile;

constexpr int kTitleWidth = 40;

std::string upperClipped(std::string_view s) {
    return QString::fromStdString(std::string(clip(s))).toUpper().toStdString();
}

}  // namespace

AlbumFormRules::AlbumFormRules(AppState& state) : state_(state) {}

std::string AlbumFormRules::copyTitle(std::string_view title) {
    const QString source = QString::fromStdString(std::string(clip(title)));
    const QString suffix = kCopySuffix;
    // Cut the title, not the suffix: a copy of a full-width title would be its source again.
    const qsizetype room = kTitleWidth - suffix.size();
    QString kept = source.size() > room ? source.left(room) : source;
    while (kept.endsWith(' ')) kept.chop(1);
    return (kept + suffix).toStdString();
}

void AlbumFormRules::enter(Request request) {
    AlbumRecord& album = state_.catalogue().album();
    if (request != Request::Insert || album.Album.clipped().empty()) return;
    album.Album = copyTitle(album.Album.view());
    album.CDIdentifier.clear();
}

bool AlbumFormRules::moveSong(int32_t albumId) {
    Catalogue& c = state_.catalogue();
    SongRecord& song = c.song();
    const int32_t former = song.AlbumID;
    if (former == albumId) return true;
    song.AlbumID = albumId;
    DataFile& songs = c.file(F::Cadenzio);
    if (songs.put() != 0) {
        song.AlbumID = former;
        state_.dialogs().message(
            "Error", "Error updating song database - " + std::string(clip(songs.error().text)),
            MessageIcon::Warning, Button::Ok, Button::Ok);
        return false;
    }
    moved_.emplace(song.ID, former);  // the first album it came from is the one to go back to
    return true;
}

bool AlbumFormRules::takeSong(int64_t songId) {
    Catalogue& c = state_.catalogue();
    DataFile& songs = c.file(F::Cadenzio);
    ErrorGuard keep(songs.database().error());
    songs.clearBuffer();
    c.song().ID = static_cast<int32_t>(songId);
    if (songId <= 0 || songs.get(SongRecord::KeyID) != 0) return false;
    return moveSong(c.album().AlbumID);
}

void AlbumFormRules::selectExisting() {
    const AlbumRecord& album = state_.catalogue().album();
    if (!album.FileNumber.clipped().empty()) {
        const std::string question = "Do you want to assign all songs with file number \"" +
                                     std::string(album.FileNumber.clipped()) +
                                     "\" and media type \"" + std::string(album.Media.clipped()) +
                                     "\" to this album?";
        const Button answer = state_.dialogs().message(
            "Assign Songs To Album", question, MessageIcon::Question,
            Buttons(Button::Yes) | Button::No | Button::Cancel, Button::No);
        if (answer == Button::Cancel) return;
        if (answer == Button::Yes) {
            assignByFileNumber();
            return;
        }
    }
    if (state_.call(kSongPicker, Request::Select) == Response::Completed)
        moveSong(state_.catalogue().album().AlbumID);
}

int AlbumFormRules::assignByFileNumber() {
    Catalogue& c = state_.catalogue();
    DataFile& songs = c.file(F::Cadenzio);
    const AlbumRecord& album = c.album();
    const std::string media(album.Media.view());
    const std::string fileNumber = upperClipped(album.FileNumber.view());
    enum class Stop { EndOfFile, Media, FileNumber, Failed };
    Stop stop = Stop::EndOfFile;
    int assigned = 0;
    (void)songs.stream();
    songs.clearBuffer();
    c.song().Media = album.Media.view();
    c.song().FileNumber = album.FileNumber.view();
    int code = songs.setAt(SongRecord::SongsByMedia);
    while (code == 0) {
        code = songs.next();
        if (code == err::kRecordNotAvailable) break;
        if (code != 0) {
            state_.dialogs().message(
                "Assignment Cancelled",
                "Error reading music database " + std::string(clip(songs.error().text)),
                MessageIcon::Warning, Button::Ok, Button::Ok);
            stop = Stop::Failed;
            break;
        }
        const SongRecord& song = c.song();
        if (clip(song.Media.view()) != clip(media)) {
            stop = Stop::Media;
            break;
        }
        if (upperClipped(song.FileNumber.view()) != fileNumber) {
            stop = Stop::FileNumber;
            break;
        }
        if (!moveSong(album.AlbumID)) {
            stop = Stop::Failed;
            break;
        }
        ++assigned;
    }
    (void)songs.flush();
    if (assigned > 0) {
        state_.dialogs().message("Process complete.", std::to_string(assigned) + " songs assigned.",
                                 MessageIcon::Information, Button::Ok, Button::Ok);
    } else if (stop != Stop::Failed) {
        const char* why = stop == Stop::Media ? "No songs with that media type were found."
                          : stop == Stop::FileNumber
                              ? "No songs with that file number were found."
                              : "No songs with that media type and file number were found.";
        state_.dialogs().message("Process failed.", why, MessageIcon::Information, Button::Ok,
                                 Button::Ok);
    }
    return assigned;
}

void AlbumFormRules::editAllSongs() {
    Catalogue& c = state_.catalogue();
    DataFile& songs = c.file(F::Cadenzio);
    const int32_t albumId = c.album().AlbumID;
    (void)songs.stream();
    songs.clearBuffer();
    c.song().AlbumID = albumId;
    c.song().TrackNumber = 0;
    int code = songs.setAt(SongRecord::KeyAlbumID);
    bool ended = true;
    while (code == 0) {
        code = songs.next();
        if (code != 0 || c.song().AlbumID != albumId) break;
        const std::string at = songs.position(SongRecord::KeyAlbumID);
        if (state_.ask(kSongForm, Request::Change) != "OK") {
            ended = false;
            break;
        }
        // On from the song just edited, wherever the form left the file.
        code = songs.reset(SongRecord::KeyAlbumID, at);
        if (code == 0) code = songs.next();
    }
    (void)songs.flush();
    if (ended) {
        state_.dialogs().message("Information", "End of songs on this album.",
                                 MessageIcon::Information, Button::Ok, Button::Ok);
    }
}

int AlbumFormRules::retitleSongs(const std::vector<std::string>& titles, int& songCount) {
    Catalogue& c = state_.catalogue();
    DataFile& songs = c.file(F::Cadenzio);
    const int32_t albumId = c.album().AlbumID;
    songCount = 0;
    if (albumId == 0) return 0;
    return inWizardTransaction(c, {F::Cadenzio}, [&]() -> int {
        std::vector<int32_t> inOrder;
        songs.clearBuffer();
        c.song().AlbumID = albumId;
        int code = songs.setAt(SongRecord::KeyAlbumID);
        while (code == 0 && (code = songs.next()) == 0 && c.song().AlbumID == albumId) {
            inOrder.push_back(c.song().ID);
        }
        if (code != 0 && code != err::kRecordNotAvailable) return code;
        songCount = static_cast<int>(inOrder.size());
        for (size_t i = 0; i < inOrder.size() && i < titles.size(); ++i) {
            songs.clearBuffer();
            c.song().ID = inOrder[i];
            if ((code = songs.get(SongRecord::KeyID)) != 0) return code;
            c.song().Title = titles[i];
            if ((code = songs.put()) != 0) return code;
        }
        return 0;
    });
}

int AlbumFormRules::undoLinks(int32_t reservedAlbum) {
    Catalogue& c = state_.catalogue();
    DataFile& songs = c.file(F::Cadenzio);
    std::vector<int32_t> onIt;
    songs.clearBuffer();
    c.song().AlbumID = reservedAlbum;
    int code = songs.setAt(SongRecord::KeyAlbumID);
    while (code == 0 && (code = songs.next()) == 0 && c.song().AlbumID == reservedAlbum) {
        onIt.push_back(c.song().ID);
    }
    if (code != 0 && code != err::kRecordNotAvailable) return code;
    for (int32_t id : onIt) {
        songs.clearBuffer();
        c.song().ID = id;
        if ((code = songs.get(SongRecord::KeyID)) != 0) return code;
        const auto it = moved_.find(id);
        if (it != moved_.end()) {
            c.song().AlbumID = it->second;
            code = songs.put();
        } else {
            code = songs.erase();
        }
        if (code != 0) return code;
    }
    return 0;
}

}  // namespace cdz
