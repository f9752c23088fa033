#include "app/albums/cd/CdReader.h"

#include <cstdlib>
#include <functional>

#include "app/albums/cd/CdDisc.h"
#include "app/engine/state/AppState.h"
#include "runtime/cd/CdioDevice.h"
#include "runtime/data/Transaction.h"
#include "runtime/text/Text.h"

namespace cdz {

namespace {

constexpr int kWorkArtistLength = 30;
constexpr std::string_view kCompilationArtist = "Various";

// The disc's CD-Text title of the track, else "Track n".
std::string trackTitle(const CdText& text, int track) {
    std::string title = text.trackTitle(static_cast<size_t>(track - 1));
    return title.empty() ? "Track " + std::to_string(track) : title;
}

// Writes into one file in one transaction: `write` returns a runtime code and counts what it
// wrote. On any failure nothing stays written and the error state keeps the cause.
int writeAll(Catalogue& catalogue, CatalogueFile f, const std::function<int(int&)>& write,
             int& written) {
    written = 0;
    const FileUse use(catalogue, {f});
    if (!use.ok()) return use.code();
    int count = 0;
    const int code =
        inTransaction(catalogue.database(), {&catalogue.file(f)}, [&] { return write(count); });
    if (code == 0) written = count;
    return code;
}

}  // namespace

CdReader::CdReader(AppState& state)
    : CdReader(state, std::make_unique<CdioDevice>(deviceSource(state.settings()))) {}

CdReader::CdReader(AppState& state, std::unique_ptr<CdDevice> device)
    : state_(state), device_(std::move(device)) {}

CdReader::~CdReader() = default;

std::string CdReader::deviceSource(const Settings& settings) {
    const char* named = std::getenv(kDeviceVariable);
    if (named != nullptr && *named != '\0') return named;
    return settings.cdDevice;
}

bool CdReader::read(Mode mode, int instance) {
    trackCount_ = 0;
    recordsWritten_ = 0;
    trackLengths_.clear();
    text_ = {};
    CdDisc disc;
    if (const CdFault fault = CdDisc::read(*device_, disc); fault != CdFault::None) {
        tell(cdFaultText(fault));
        return false;
    }
    trackCount_ = disc.trackCount;
    trackLengths_ = disc.trackTimes;
    text_ = disc.text;
    state_.catalogue().album().CDIdentifier = disc.identifier;
    switch (mode) {
        case Mode::IdentifierOnly:
            return true;
        case Mode::WorkFile:
            return writeWorkFile(instance);
        case Mode::AlbumUpdate:
            return updateAlbum();
    }
    return true;
}

bool CdReader::writeWorkFile(int instance) {
    Catalogue& cat = state_.catalogue();
    DataFile& work = cat.file(CatalogueFile::AddWizard);
    AddWizardRecord& aw = cat.addWizard();
    // A track's own CD-Text performer first; then the album's artist as given, the disc's
    // performer, or a compilation's "Various".
    std::string albumArtist(clip(cat.album().Artist.view()));
    if (albumArtist.empty()) albumArtist = text_.albumPerformer;
    if (albumArtist.empty()) albumArtist = kCompilationArtist;
    const auto artistOf = [&](int track) {
        const std::string own = text_.trackPerformer(static_cast<size_t>(track - 1));
        return std::string(cutChars(own.empty() ? albumArtist : own, kWorkArtistLength));
    };
    const auto write = [&](int& count) {
        for (int track = 1; track <= trackCount_; ++track) {
            const int32_t time = trackLengths_[static_cast<size_t>(track - 1)];
            work.clearBuffer();
            aw.Instance = static_cast<double>(instance);
            aw.Track = static_cast<double>(track);
            const int found = work.get(AddWizardRecord::KeyInstance);
            if (found == err::kNone) {
                if (aw.Time == time) continue;
                aw.Time = time;
                if (const int code = work.put()) return code;
            } else if (found == err::kRecordNotFound) {
                aw.Artist = artistOf(track);
                aw.Title = trackTitle(text_, track);
                aw.Time = time;
                if (const int code = work.add()) return code;
            } else {
                return found;
            }
            ++count;
        }
        return 0;
    };
    if (writeAll(cat, CatalogueFile::AddWizard, write, recordsWritten_) != 0) {
        tell("The tracks of the disc could not be written to the work file (" +
             state_.error().text + "). No track was written.");
        return false;
    }
    return true;
}

bool CdReader::updateAlbum() {
    Catalogue& cat = state_.catalogue();
    const AlbumRecord& album = cat.album();
    if (album.AlbumID == 0) return true;
    DataFile& songs = cat.file(CatalogueFile::Cadenzio);
    SongRecord& song = cat.song();
    const auto write = [&](int& count) {
        for (int track = 1; track <= trackCount_; ++track) {
            const int32_t time = trackLengths_[static_cast<size_t>(track - 1)];
            songs.clearBuffer();
            song.AlbumID = album.AlbumID;
            song.TrackNumber = static_cast<uint8_t>(track);
            const int found = songs.get(SongRecord::KeyAlbumID);
            if (found == err::kNone) {
                if (song.Time == time) continue;
                song.Time = time;
                if (const int code = songs.put()) return code;
            } else if (found == err::kRecordNotFound) {
                // ID 0 takes the next number, the highest + 1, inside this transaction.
                song.ID = 0;
                const std::string performer = text_.trackPerformer(static_cast<size_t>(track - 1));
                song.Artist = performer.empty() ? std::string(album.Artist.view()) : performer;
                song.Album = album.Album;
                song.Media = album.Media;
                song.FileNumber = album.FileNumber;
                song.ReleaseDate = album.ReleaseDate;
                song.CategoryID = static_cast<int32_t>(album.CategoryID.toInt());
                song.Title = trackTitle(text_, track);
                song.Time = time;
                if (const int code = songs.add()) return code;
            } else {
                return found;
            }
            ++count;
        }
        return 0;
    };
    if (writeAll(cat, CatalogueFile::Cadenzio, write, recordsWritten_) != 0) {
        tell("The songs of the album could not be written (" + state_.error().text +
             "). No song was changed.");
        return false;
    }
    return true;
}

void CdReader::tell(std::string_view text) {
    state_.dialogs().message("Error", text, MessageIcon::Error, Button::Ok, Button::Ok);
}

}  // namespace cdz
