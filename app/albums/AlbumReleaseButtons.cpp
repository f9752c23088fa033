#include "app/albums/AlbumReleaseButtons.h"

#include <QApplication>
#include <QProgressDialog>

#include <functional>
#include <memory>

#include "app/albums/AlbumPictures.h"
#include "app/albums/cd/ReleaseFill.h"
#include "app/albums/cd/ReleaseFinder.h"
#include "app/albums/wizard/FindReleaseWindow.h"
#include "app/engine/state/AppState.h"
#include "runtime/data/Transaction.h"

namespace cdz {

namespace {

constexpr const char* kCoverTitle = "Fetch Cover";
constexpr size_t kNotesChars = 2000;
constexpr int kSongChars = 40;

std::vector<std::string> mediaNames(Catalogue& cat) {
    std::vector<std::string> names;
    DataFile& media = cat.file(CatalogueFile::Media);
    const MediaRecord saved = cat.media();
    if (media.set(MediaRecord::KeyMedia) == 0) {
        while (media.next() == 0) names.push_back(cat.media().Media.str());
    }
    cat.media() = saved;
    return names;
}

// While the archive is asked: a window that says so, whose Cancel ends the request.
class TitleWait {
public:
    TitleWait(QWidget* parent, std::function<void()> cancel) {
        if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr) return;
        box_ = std::make_unique<QProgressDialog>("Asking the picture archive...", "Cancel", 0, 0,
                                                 parent);
        box_->setObjectName("TitleWait");
        box_->setWindowTitle(kCoverTitle);
        box_->setWindowModality(Qt::WindowModal);
        box_->setMinimumDuration(0);
        QObject::connect(box_.get(), &QProgressDialog::canceled, std::move(cancel));
        box_->show();
    }
    TitleWait(const TitleWait&) = delete;
    TitleWait& operator=(const TitleWait&) = delete;

private:
    std::unique_ptr<QProgressDialog> box_;
};

QWidget* windowUp() {
    if (QWidget* modal = QApplication::activeModalWidget()) return modal;
    return QApplication::activeWindow();
}

}  // namespace

bool AlbumReleaseButtons::findRelease(QWidget* parent) {
    if (parent == nullptr) parent = windowUp();
    Catalogue& cat = state_.catalogue();
    std::optional<FindReleaseWindow::Chosen> chosen =
        FindReleaseWindow::run(state_, parent, QString::fromStdString(cat.album().Artist.str()),
                               QString::fromStdString(cat.album().Album.str()));
    if (!chosen) return false;
    const TitleRelease& release = chosen->release;
    const AlbumRecord before = cat.album();
    AlbumRecord& album = cat.album();
    album.Artist = release.artist;
    album.Album = release.title;
    if (const int32_t day = release.day(); day > 0) album.ReleaseDate = day;
    if (const std::string media = ReleaseFill::mediaFor(release.format, mediaNames(cat));
        !media.empty())
        album.Media = media;
    album.Notes = ReleaseFill::withNotes(before.Notes, release, kNotesChars);
    if (!writeSongs(release)) {
        cat.album() = before;
        return false;
    }
    if (const int cut = ReleaseFill::cutValues(release, kSongChars); cut > 0)
        state_.dialogs().message("Find Release",
                                 std::to_string(cut) + (cut == 1 ? " value" : " values") +
                                     " of the release did not fit and were cut.",
                                 MessageIcon::Information, Button::Ok, Button::Ok);
    if (!chosen->cover.isEmpty()) {
        storeCover(chosen->cover);
    } else if (!chosen->coverNote.empty()) {
        state_.dialogs().message(kCoverTitle, chosen->coverNote, MessageIcon::Information,
                                 Button::Ok, Button::Ok);
    }
    return true;
}

bool AlbumReleaseButtons::writeSongs(const TitleRelease& release) {
    Catalogue& cat = state_.catalogue();
    const AlbumRecord album = cat.album();
    if (album.AlbumID == 0) return true;
    DataFile& songs = cat.file(CatalogueFile::Cadenzio);
    const FileUse use(cat, {CatalogueFile::Cadenzio});
    SongRecord& song = cat.song();
    const SongRecord saved = song;
    const auto write = [&]() -> int {
        for (size_t i = 0; i < release.tracks.size(); ++i) {
            const TitleTrack& track = release.tracks[i];
            const int32_t time = ReleaseFill::timeOf(track.lengthMs);
            songs.clearBuffer();
            song.AlbumID = album.AlbumID;
            song.TrackNumber = static_cast<uint8_t>(i + 1);
            const int found = songs.get(SongRecord::KeyAlbumID);
            if (found == err::kRecordNotFound) {
                song.ID = 0;  // the next number, the highest + 1, inside this transaction
                song.Album = album.Album;
                song.Media = album.Media;
                song.FileNumber = album.FileNumber;
                song.ReleaseDate = album.ReleaseDate;
                song.CategoryID = static_cast<int32_t>(album.CategoryID.toInt());
            } else if (found != err::kNone) {
                return found;
            }
            song.Title = track.title;
            song.Artist = track.artist;
            song.Side = ReleaseFill::sideOf(track);
            // A length the song has (timed from the disc) stays.
            if (song.Time == 0) song.Time = time;
            if (const int code = found == err::kNone ? songs.put() : songs.add()) return code;
        }
        return 0;
    };
    const int code = use.ok() ? inTransaction(cat.database(), {&songs}, write) : use.code();
    song = saved;
    if (code != 0) {
        state_.dialogs().message("Error",
                                 "The songs of the album could not be written (" +
                                     state_.error().text +
                                     "). No song and nothing of the album was changed.",
                                 MessageIcon::Error, Button::Ok, Button::Ok);
        return false;
    }
    return true;
}

bool AlbumReleaseButtons::storeCover(const QByteArray& picture) {
    AlbumRecord& album = state_.catalogue().album();
    std::string why;
    const std::string path =
        AlbumPictures(state_.dataFolder())
            .store(album.Artist.clipped(), album.Album.clipped(),
                   AudioPicture{"", picture.toStdString()}, album.AssociatedImage.width(), &why);
    if (path.empty()) {
        state_.dialogs().message(kCoverTitle, "The front cover was not stored: " + why,
                                 MessageIcon::Warning, Button::Ok, Button::Ok);
        return false;
    }
    album.AssociatedImage = path;
    return true;
}

bool AlbumReleaseButtons::fetchCover(QWidget* parent) {
    if (parent == nullptr) parent = windowUp();
    const AlbumRecord& album = state_.catalogue().album();
    const std::string id = ReleaseFill::releaseIdIn(album.Notes);
    if (id.empty()) {
        state_.dialogs().message(kCoverTitle,
                                 "The album's notes name no release (a line \"" +
                                     std::string(ReleaseFill::kReleaseLine) +
                                     "...\"). Find its release first with Find Release.",
                                 MessageIcon::Information, Button::Ok, Button::Ok);
        return false;
    }
    ReleaseFinder finder(TitleService::optionsFrom(state_.settings()));
    ReleaseFinder::Cover cover;
    {
        const TitleWait waiting(parent, [&finder] { finder.cancel(); });
        cover = finder.cover(id, {});
        // The release group's cover: its identifier comes with the release's lookup.
        if (cover.outcome == TitleOutcome::NoMatch) {
            const ReleaseFinder::Lookup found = finder.lookup(id);
            if (found.outcome == TitleOutcome::Found && !found.release.releaseGroupId.empty())
                cover = finder.cover({}, found.release.releaseGroupId);
        }
    }
    if (cover.outcome != TitleOutcome::Found) {
        state_.dialogs().message(kCoverTitle, finder.explainCover(cover.outcome, cover.detail),
                                 MessageIcon::Information, Button::Ok, Button::Ok);
        return false;
    }
    return storeCover(cover.picture);
}

}  // namespace cdz
