#pragma once
// One scan of a folder of audio files into the catalogue. Files are taken in batches: the
// catalogue says which are new or changed since they were last read (gather), their tags are
// read without touching the catalogue, on any thread (read), and the batch is written in one
// transaction (write), so a kill loses at most that batch and no transaction waits on a file.
// A new file becomes a new song on the album of its album tag and album artist (made when the
// catalogue has none, with the album's picture); a changed file updates its song unless the
// user edited the song since the scan wrote it; an unchanged file is passed without a read or
// a write. At the end the files of the catalogue under the folder that are gone are listed;
// nothing is deleted.
#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "app/albums/AlbumPictures.h"
#include "app/albums/maintenance/AlbumLinker.h"
#include "app/audiofiles/AudioFileIndex.h"
#include "app/audiofiles/AudioSongFields.h"
#include "app/audiofiles/FolderWalk.h"
#include "app/domain/data/Catalogue.h"
#include "app/songs/csv/ImportCategories.h"
#include "runtime/audiofile/AudioTags.h"

namespace cdz {

class IniFile;

struct SkippedFile {
    std::string path;
    std::string reason;
};

struct AudioScanSummary {
    static constexpr size_t kListed = 1000;  // files listed by name; the rest only counted

    int64_t read = 0;  // files whose tags were read
    int64_t unchanged = 0;
    int64_t added = 0;
    int64_t updated = 0;
    int64_t leftEdited = 0;  // changed files whose songs the user had edited
    int64_t albumsMade = 0;
    int64_t pictures = 0;
    int64_t cut = 0;  // values cut to fit their fields
    int64_t skippedCount = 0;
    std::vector<SkippedFile> skipped;
    int64_t goneCount = 0;
    std::vector<std::string> gone;
    std::vector<std::string> notes;  // categories and media added, pictures not stored

    // The summary as the window and the command show it, one count a line.
    std::string text() const;
};

struct AudioScanOptions {
    std::string losslessMedia = "CD";

    // The settings file's [AudioFiles] LosslessMedia, "CD" when it names none.
    static AudioScanOptions fromSettings(const IniFile& settings);
};

// A file of a batch: what the walk found, then what its tags say.
struct ScanItem {
    std::filesystem::path path;
    std::filesystem::path folderPicture;
    int64_t size = 0;
    int64_t modified = 0;
    std::optional<KnownFile> known;  // what the catalogue knew of it, when it changed since
    bool wantCover = false;          // the first file of its folder in the batch
    TagReading reading;
    std::optional<AudioPicture> folderCover;
};

enum class ScanState { Running, Completed, Cancelled, Failed };

class AudioScan {
public:
    // The caller holds the songs, albums, categories, media and audio files open.
    AudioScan(Catalogue& catalogue, const std::filesystem::path& folder, AudioScanOptions options);

    // Reads the categories and media names; false (the run failed) when it cannot.
    bool start();
    // Files looked at in one gather at most, and looked up in the catalogue together.
    static constexpr int64_t kMostWalked = 2000;
    static constexpr size_t kLookAhead = 256;

    // Walks on until `count` files need reading (or kMostWalked were looked at); unchanged and
    // skipped files are counted on the way. Reads the catalogue: on its thread.
    std::vector<ScanItem> gather(int count);
    // Reads the tags of gathered files; touches no catalogue.
    static void read(std::vector<ScanItem>& items);
    // Writes the batch in one transaction and, once the walk is over, lists the gone files;
    // false once the run has ended.
    bool write(std::vector<ScanItem>& items);
    // The three in turn, for a run without windows.
    bool step(int count);
    // Stops after the batch in hand; every batch written stays.
    void cancel();

    ScanState state() const { return state_; }
    const AudioScanSummary& summary() const { return summary_; }
    int64_t walked() const { return walked_; }
    const std::string& failureTitle() const { return failureTitle_; }
    const std::string& failureText() const { return failureText_; }

private:
    bool walkOn(std::vector<ScanItem>& looking, size_t room);
    bool lookUp(std::vector<ScanItem>& looking, std::vector<ScanItem>& items);
    bool writeItem(const ScanItem& item);
    bool linkAlbum(const AudioSongFields& fields, const ScanItem& item, SongRecord& song);
    bool becomeCompilation(int32_t albumId);
    bool setCategory(const std::string& genre, SongRecord& song);
    bool ensureMedia(const std::string& name);
    void storePicture(const AudioSongFields& fields, const ScanItem& item);
    void skip(const std::filesystem::path& path, std::string reason);
    void note(std::string text);
    bool listGone();
    bool fail(std::string title, int code);

    Catalogue& catalogue_;
    std::filesystem::path folder_;
    AudioScanOptions options_;
    FolderWalk walk_;
    bool walkDone_ = false;
    int64_t walked_ = 0;
    AudioFileIndex index_;
    AlbumLinker linker_;
    ImportCategories categories_;
    AlbumPictures pictures_;
    MediaChoice media_;
    // The albums this scan gave the current folder's songs, by album title: the songs of one
    // folder and title share one album, a compilation's whatever their artists.
    struct FolderAlbum {
        int32_t id = 0;
        std::string artist;
        bool made = false;  // by this scan, so it may still be called a compilation
    };
    std::filesystem::path albumsFolder_;
    std::map<std::string, FolderAlbum, std::less<>> folderAlbums_;
    std::set<std::string, std::less<>> mediaNames_;
    ScanState state_ = ScanState::Running;
    AudioScanSummary summary_;
    std::string failureTitle_;
    std::string failureText_;
};

}  // namespace cdz
