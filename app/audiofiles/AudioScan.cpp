#include "app/audiofiles/AudioScan.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "app/songs/csv/ImportErrors.h"
#include "runtime/data/ErrorState.h"
#include "runtime/data/Transaction.h"
#include "runtime/ini/IniFile.h"

namespace cdz {
namespace {

using F = CatalogueFile;

// The folder as the files under it are named: absolute, without "." or ".." or a trailing
// separator.
std::filesystem::path normalFolder(const std::filesystem::path& folder) {
    std::filesystem::path out = std::filesystem::absolute(folder).lexically_normal();
    if (!out.has_filename() && out.has_parent_path() && out != out.root_path())
        out = out.parent_path();
    return out;
}

bool under(const std::string& path, const std::string& folder) {
    return path.size() > folder.size() && path.compare(0, folder.size(), folder) == 0 &&
           path[folder.size()] == '/';
}

}  // namespace

AudioScanOptions AudioScanOptions::fromSettings(const IniFile& settings) {
    AudioScanOptions options;
    const std::string media(clip(settings.read("AudioFiles", "LosslessMedia")));
    if (!media.empty()) options.losslessMedia = media;
    return options;
}

std::string AudioScanSummary::text() const {
    std::string out;
    auto line = [&](const char* what, int64_t n) {
        out += std::string(what) + ": " + std::to_string(n) + "\n";
    };
    line("Files read", read);
    line("Songs added", added);
    line("Songs updated", updated);
    line("Edited songs left alone", leftEdited);
    line("Albums made", albumsMade);
    line("Pictures stored", pictures);
    line("Values cut to fit", cut);
    line("Files skipped", skippedCount);
    line("Files gone", goneCount);
    return out;
}

AudioScan::AudioScan(Catalogue& catalogue, const std::filesystem::path& folder,
                     AudioScanOptions options)
    : catalogue_(catalogue),
      folder_(normalFolder(folder)),
      options_(std::move(options)),
      walk_(folder_),
      index_(catalogue),
      linker_(catalogue),
      categories_(catalogue),
      pictures_(catalogue.database().folder()) {
    media_.lossless = options_.losslessMedia;
    media_.known = [this](std::string_view name) { return mediaNames_.contains(name); };
    // The album a song is linked to is made at once, so that its picture can be written to it.
    linker_.addOneByOne();
}

bool AudioScan::start() {
    categories_.load();
    DataFile& media = catalogue_.file(F::Media);
    int code = media.set(MediaRecord::KeyMedia);
    while (code == err::kNone && (code = media.next()) == err::kNone) {
        mediaNames_.emplace(catalogue_.media().Media.clipped());
    }
    if (code != err::kRecordNotAvailable) return fail("Cannot READ Media!", code);
    return true;
}

void AudioScan::skip(const std::filesystem::path& path, std::string reason) {
    ++summary_.skippedCount;
    if (summary_.skipped.size() < AudioScanSummary::kListed)
        summary_.skipped.push_back({path.string(), std::move(reason)});
}

void AudioScan::note(std::string text) {
    if (summary_.notes.size() < AudioScanSummary::kListed)
        summary_.notes.push_back(std::move(text));
}

bool AudioScan::fail(std::string title, int code) {
    state_ = ScanState::Failed;
    failureTitle_ = std::move(title);
    ErrorState e = catalogue_.database().error();
    if (e.code == 0) e.code = code;
    failureText_ = importErrorWords(e);
    return false;
}

std::vector<ScanItem> AudioScan::gather(int count) {
    std::vector<ScanItem> items;
    std::vector<ScanItem> looking;  // stat'ed, not yet looked up in the catalogue
    // Unchanged files cost a look each: a window stays live however many there are in a row.
    const int64_t walkedBefore = walked_;
    while (state_ == ScanState::Running && static_cast<int>(items.size()) < count) {
        const size_t room = std::min<size_t>(kLookAhead, static_cast<size_t>(count) - items.size());
        const bool more = walked_ - walkedBefore < kMostWalked && walkOn(looking, room);
        if (!lookUp(looking, items) || !more) break;
    }
    return items;
}

// Takes walked files into `looking` until it holds `room`; false at the walk's end.
bool AudioScan::walkOn(std::vector<ScanItem>& looking, size_t room) {
    while (looking.size() < room) {
        std::optional<WalkedFile> file = walk_.next();
        if (!file) {
            walkDone_ = true;
            for (const auto& [folder, why] : walk_.unreadable())
                skip(folder, "Cannot be read: " + why);
            return false;
        }
        if (FolderWalk::isFolderPicture(file->path)) continue;
        ++walked_;
        if (!isAudioFileName(file->path)) {
            skip(file->path, "Not an audio file");
            continue;
        }
        struct stat info {};
        if (::stat(file->path.c_str(), &info) != 0) {
            skip(file->path, std::string("Cannot be read: ") + std::strerror(errno));
            continue;
        }
        if (info.st_size == 0) {
            skip(file->path, "Empty file");
            continue;
        }
        ScanItem item;
        item.path = std::move(file->path);
        item.folderPicture = std::move(file->folderPicture);
        item.size = info.st_size;
        item.modified = info.st_mtim.tv_sec;
        looking.push_back(std::move(item));
    }
    return true;
}

// What the catalogue knows of the files looked at, asked together: unchanged ones are passed,
// the others go to the batch, the first of each folder asked for its cover.
bool AudioScan::lookUp(std::vector<ScanItem>& looking, std::vector<ScanItem>& items) {
    std::vector<std::string> paths;
    paths.reserve(looking.size());
    for (const ScanItem& item : looking) paths.push_back(item.path.string());
    std::vector<std::optional<KnownFile>> known;
    if (const int code = index_.findAll(paths, known)) return fail("Cannot READ AudioFiles!", code);
    for (size_t i = 0; i < looking.size(); ++i) {
        ScanItem& item = looking[i];
        item.known = std::move(known[i]);
        if (item.known && item.known->size == item.size && item.known->modified == item.modified) {
            ++summary_.unchanged;
            continue;
        }
        item.wantCover =
            items.empty() || item.path.parent_path() != items.back().path.parent_path();
        items.push_back(std::move(item));
    }
    looking.clear();
    return true;
}

void AudioScan::read(std::vector<ScanItem>& items) {
    for (ScanItem& item : items) {
        item.reading = readAudioTags(item.path, item.wantCover);
        if (!item.wantCover || item.reading.fault != TagFault::None ||
            item.reading.tags.frontCover || item.folderPicture.empty())
            continue;
        AudioPicture picture;
        std::string why;
        if (AlbumPictures::load(item.folderPicture, picture, &why)) item.folderCover = picture;
    }
}

bool AudioScan::write(std::vector<ScanItem>& items) {
    bool any = false;
    for (const ScanItem& item : items) {
        if (item.reading.fault != TagFault::None) {
            skip(item.path, item.reading.reason);
        } else {
            ++summary_.read;
            any = true;
        }
    }
    if (any && state_ == ScanState::Running) {
        Catalogue& c = catalogue_;
        Database& db = c.database();
        Transaction batch(db,
                          {&c.file(F::Cadenzio), &c.file(F::Album), &c.file(F::Categories),
                           &c.file(F::Media), &c.file(F::AudioFiles)},
                          db.lockWait());
        if (const int code = batch.began()) return fail("Cannot ADD to Cadenzio!", code);
        const AudioScanSummary before = summary_;
        for (const ScanItem& item : items) {
            if (item.reading.fault == TagFault::None && !writeItem(item)) break;
        }
        if (state_ != ScanState::Running) {
            summary_ = before;  // the batch is rolled back: none of it counts
            return false;
        }
        if (const int code = batch.commit()) {
            summary_ = before;
            return fail("Cannot ADD to Cadenzio!", code);
        }
        // Another station may add albums between batches.
        linker_.forget();
    }
    if (walkDone_ && state_ == ScanState::Running && listGone()) state_ = ScanState::Completed;
    return state_ == ScanState::Running;
}

bool AudioScan::step(int count) {
    std::vector<ScanItem> items = gather(count);
    read(items);
    return write(items);
}

void AudioScan::cancel() {
    if (state_ == ScanState::Running) state_ = ScanState::Cancelled;
}

bool AudioScan::writeItem(const ScanItem& item) {
    const AudioSongFields fields = AudioSongFields::of(item.reading.tags, item.path, media_);
    if (!ensureMedia(fields.media)) return false;
    DataFile& songs = catalogue_.file(F::Cadenzio);
    SongRecord& song = catalogue_.song();
    bool stored = false;
    if (item.known) {
        songs.clearBuffer();
        song.ID = item.known->songId;
        const int code = songs.get(SongRecord::KeyID);
        if (code != err::kNone && code != err::kRecordNotFound)
            return fail("Cannot READ Cadenzio!", code);
        stored = code == err::kNone;
        // Edited since the scan wrote it: the user's song stays; the file counts as read.
        if (stored && scannedFieldsHash(song) != item.known->written) {
            ++summary_.leftEdited;
            KnownFile now{song.ID, item.size, item.modified, item.known->written};
            if (const int put = index_.write(item.path.string(), now))
                return fail("Cannot ADD to AudioFiles!", put);
            return true;
        }
    }
    if (!stored) songs.clearBuffer();
    summary_.cut += fields.storeInto(song);
    if (!setCategory(fields.genre, song) || !linkAlbum(fields, item, song)) return false;
    if (const int code = stored ? songs.put() : songs.add()) {
        return fail(stored ? "Cannot PUT to Cadenzio!" : "Cannot ADD to Cadenzio!", code);
    }
    ++(stored ? summary_.updated : summary_.added);
    const KnownFile now{song.ID, item.size, item.modified, scannedFieldsHash(song)};
    if (const int code = index_.write(item.path.string(), now))
        return fail("Cannot ADD to AudioFiles!", code);
    return true;
}

bool AudioScan::setCategory(const std::string& genre, SongRecord& song) {
    song.CategoryID = 0;
    if (clip(genre).empty()) return true;
    std::string added;
    const std::optional<int32_t> id = categories_.numberOf(genre, &added);
    if (!id) return fail("Cannot ADD to Categories!", err::kNone);
    song.CategoryID = *id;
    if (!added.empty()) note(added);
    return true;
}

bool AudioScan::ensureMedia(const std::string& name) {
    if (name.empty() || mediaNames_.contains(name)) return true;
    DataFile& media = catalogue_.file(F::Media);
    media.clearBuffer();
    catalogue_.media().Media = name;
    if (const int code = media.add()) return fail("Cannot ADD to Media!", code);
    mediaNames_.emplace(name);
    note("media \"" + name + "\" did not exist; it was added");
    return true;
}

// The album of the album tag and the album artist (a compilation's artist is its album
// artist), found as the album links find it or made from the song. The songs of one folder
// and album title share the album the first of them found; when they turn out to be by
// different artists with no album artist tagged, an album this scan made becomes the
// compilation's ("Various").
bool AudioScan::linkAlbum(const AudioSongFields& fields, const ScanItem& item, SongRecord& song) {
    if (item.path.parent_path() != albumsFolder_) {
        albumsFolder_ = item.path.parent_path();
        folderAlbums_.clear();
    }
    const std::string title(song.Album.clipped());
    if (auto at = folderAlbums_.find(title); at != folderAlbums_.end() && at->second.id != 0) {
        FolderAlbum& album = at->second;
        if (album.made && album.artist != fields.albumArtist &&
            album.artist != AlbumLinker::kCompilationArtist) {
            if (!becomeCompilation(album.id)) return false;
            album.artist = AlbumLinker::kCompilationArtist;
        }
        song.AlbumID = album.id;
        return true;
    }
    SongRecord key = song;
    key.Artist = fields.albumArtist;
    key.Notes.clear();
    int32_t id = 0;
    bool made = false;
    if (const int code = linker_.find(key, id)) return fail("Cannot READ Album!", code);
    if (id == 0 && !AlbumLinker::blankTitle(key)) {
        if (const int code = linker_.create(key, id)) return fail("Cannot ADD to Album!", code);
        ++summary_.albumsMade;
        storePicture(fields, item);
        made = true;
    }
    song.AlbumID = id;
    folderAlbums_[title] = FolderAlbum{id, std::string(key.Artist.clipped()), made};
    return state_ == ScanState::Running;
}

bool AudioScan::becomeCompilation(int32_t albumId) {
    DataFile& albums = catalogue_.file(F::Album);
    AlbumRecord& album = catalogue_.album();
    albums.clearBuffer();
    album.AlbumID = albumId;
    int code = albums.get(AlbumRecord::KeyAlbumID);
    if (code != err::kNone) return fail("Cannot READ Album!", code);
    album.Artist = AlbumLinker::kCompilationArtist;
    // The catalogue has the compilation of this title already: the album stays as it was.
    code = albums.duplicate();
    if (code == err::kDuplicateKey) return true;
    if (code == err::kNone) code = albums.put();
    return code == err::kNone || fail("Cannot PUT to Album!", code);
}

// Right after the album was added, while it is the album file's current record.
void AudioScan::storePicture(const AudioSongFields& fields, const ScanItem& item) {
    const std::optional<AudioPicture>& cover =
        item.reading.tags.frontCover ? item.reading.tags.frontCover : item.folderCover;
    if (!cover) return;
    AlbumRecord& album = catalogue_.album();
    std::string why;
    const std::string path = pictures_.store(album.Artist.clipped(), album.Album.clipped(), *cover,
                                             album.AssociatedImage.width(), &why);
    if (path.empty()) {
        note("the picture of album \"" + fields.album + "\" was not stored: " + why);
        return;
    }
    album.AssociatedImage = path;
    if (const int code = catalogue_.file(F::Album).put()) {
        fail("Cannot PUT to Album!", code);
        return;
    }
    ++summary_.pictures;
}

bool AudioScan::listGone() {
    const std::string folder = folder_.string();
    const int code = index_.visit([&](const std::string& path, int32_t) {
        std::error_code ec;
        if (under(path, folder) && !std::filesystem::exists(path, ec) && !ec) {
            ++summary_.goneCount;
            if (summary_.gone.size() < AudioScanSummary::kListed) summary_.gone.push_back(path);
        }
        return true;
    });
    return code == err::kNone || fail("Cannot READ AudioFiles!", code);
}

}  // namespace cdz
