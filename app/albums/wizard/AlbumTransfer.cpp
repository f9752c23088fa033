#include "app/albums/wizard/AlbumTransfer.h"

#include <cstdio>
#include <vector>

#include "app/albums/AlbumPictures.h"
#include "app/albums/cd/ReleaseFill.h"
#include "app/albums/wizard/TrackList.h"
#include "app/albums/wizard/WizardTransaction.h"
#include "app/engine/state/AppState.h"

namespace cdz {

namespace {

using F = CatalogueFile;
constexpr int kCentiseconds = 100;
constexpr int kSecondsPerMinute = 60;
constexpr int kMinutesPerHour = 60;
// The album's notes memo holds this many bytes.
constexpr size_t kAlbumNotesChars = 2000;

}  // namespace

AlbumTransfer::AlbumTransfer(AppState& state, int tag, bool compilation, bool addAlbum,
                             FromRelease fromRelease)
    : state_(state),
      tag_(tag),
      compilation_(compilation),
      addAlbum_(addAlbum),
      fromRelease_(std::move(fromRelease)) {}

// The album's picture file, written before the album that names it; a picture that cannot be
// stored leaves the album without one and is told.
void AlbumTransfer::storeCover(std::string_view artist, std::string_view title) {
    std::string why;
    coverPath_ = AlbumPictures(state_.dataFolder())
                     .store(artist, title, AudioPicture{"", fromRelease_.cover.toStdString()},
                            state_.catalogue().album().AssociatedImage.width(), &why);
    if (coverPath_.empty()) {
        state_.dialogs().message("Fetch Cover", "The front cover was not stored: " + why,
                                 MessageIcon::Warning, Button::Ok, Button::Ok);
    }
}

std::string AlbumTransfer::minutesSeconds(int32_t time) {
    const int32_t seconds = time > 0 ? (time - 1) / kCentiseconds : 0;
    char text[8];
    std::snprintf(text, sizeof text, "%02d:%02d", (seconds / kSecondsPerMinute) % kMinutesPerHour,
                  seconds % kSecondsPerMinute);
    return text;
}

AlbumTransfer::Outcome AlbumTransfer::run(const SongRecord& general) {
    // A copy: the song buffer the caller may pass is the one each song is written from.
    const SongRecord song = general;
    Outcome out;
    // Written before the transaction, so that no question waits inside it.
    if (addAlbum_ && !fromRelease_.cover.isEmpty())
        storeCover(compilation_ ? kCompilationArtist : song.Artist.clipped(), song.Album.clipped());
    out.code = inWizardTransaction(state_.catalogue(), {F::Album, F::Cadenzio, F::AddWizard},
                                   [&]() -> int {
                                       out = Outcome{};
                                       if (const int c = albumStep(song, out)) return c;
                                       if (const int c = songStep(song, out)) return c;
                                       return clearRun();
                                   });
    if (out.code != 0) {
        // A track that could not be read is the wizard's fault, a song not added the catalogue's.
        state_.dialogs().message(
            "Error!",
            std::string(out.workUnread ? "Error adding from Wizard:  "
                                       : "Error adding to music database from Wizard:  ") +
                state_.error().text + "|Nothing was written; the tracks are kept in the list.",
            MessageIcon::Error, Button::Ok, Button::Ok);
        return out;
    }
    if (out.albumExisted) {
        state_.dialogs().message(
            "Error",
            "Error adding album information " + std::string(errorText(err::kDuplicateKey)) +
                "|An album with this title and artist is already filed; the songs were put on it.",
            MessageIcon::Warning, Button::Ok, Button::Ok);
    }
    return out;
}

int AlbumTransfer::albumStep(const SongRecord& song, Outcome& out) {
    Catalogue& cat = state_.catalogue();
    DataFile& albums = cat.file(F::Album);
    AlbumRecord& album = cat.album();
    const std::string artist = compilation_ ? kCompilationArtist : song.Artist.str();
    const auto lookUp = [&]() -> int {
        albums.clearBuffer();
        album.Album = song.Album.view();
        album.Artist = artist;
        const int found = albums.get(AlbumRecord::KeyAlbum);
        if (found == err::kNone) out.albumID = album.AlbumID;
        return found == err::kRecordNotFound ? 0 : found;
    };
    if (!addAlbum_) return lookUp();
    albums.clearBuffer();
    album.Notes = song.Notes;
    if (fromRelease_.release)
        album.Notes = ReleaseFill::withNotes(song.Notes, *fromRelease_.release, kAlbumNotesChars);
    album.FileNumber = song.FileNumber.view();
    album.Artist = artist;
    album.Album = song.Album.view();
    album.Media = song.Media.view();
    album.ReleaseDate = song.ReleaseDate;
    album.CategoryID = static_cast<double>(song.CategoryID);
    album.AssociatedImage = coverPath_;
    const int added = albums.add();  // the number: the highest + 1, taken inside the add
    if (added == err::kNone) {
        out.albumID = album.AlbumID;
        return 0;
    }
    if (added != err::kDuplicateKey) return added;
    // Only the title and artist can clash (the number is fresh): the songs join that album.
    out.albumExisted = true;
    return lookUp();
}

int AlbumTransfer::songStep(const SongRecord& templ, Outcome& out) {
    Catalogue& cat = state_.catalogue();
    DataFile& songs = cat.file(F::Cadenzio);
    SongRecord& song = cat.song();
    std::vector<WizardTrack> tracks;
    if (const int c = TrackList(state_, tag_).readInto(tracks)) {
        out.workUnread = true;
        return c;
    }
    for (const WizardTrack& t : tracks) {
        song = templ;
        song.ID = 0;  // the next number, the highest + 1 inside this transaction
        song.AlbumID = out.albumID;
        song.TrackNumber = static_cast<uint8_t>(t.track);
        song.Title = t.title.empty() ? "Track " + std::to_string(t.track) : t.title;
        if (compilation_) song.Artist = t.artist;
        song.Time = t.time;
        if (t.time != 0) song.AdditionalInformation1 = minutesSeconds(t.time);
        if (const auto side = fromRelease_.sides.find(t.track); side != fromRelease_.sides.end())
            song.Side = side->second;
        if (const int c = songs.add()) return c;
        ++out.songs;
    }
    return 0;
}

int AlbumTransfer::clearRun() {
    Catalogue& cat = state_.catalogue();
    DataFile& work = cat.file(F::AddWizard);
    work.clearBuffer();
    cat.addWizard().Instance = static_cast<double>(tag_);
    if (const int c = work.setAt(AddWizardRecord::KeyInstance)) return c;
    std::vector<int64_t> records;
    int code = 0;
    while ((code = work.next()) == 0 && cat.addWizard().Instance.toInt() == tag_) {
        records.push_back(work.recordNumber());
    }
    if (code != 0 && code != err::kRecordNotAvailable) return code;
    for (int64_t recno : records) {
        if (const int c = work.getRecord(recno)) return c;
        if (const int c = work.erase()) return c;
    }
    return 0;
}

}  // namespace cdz
