#pragma once
// The program's data files: the data connection, one record buffer and one DataFile for each
// of the twelve files, and the use counters through which every procedure opens and closes
// them. A file is opened when its count goes from 0 to 1 and closed when it returns to 0, so
// each file is open once however many windows use it. The frame owns one catalogue; a test
// builds its own in a temporary folder.
#include <array>
#include <filesystem>
#include <functional>
#include <memory>

#include "app/domain/data/AddWizardRecord.h"
#include "app/domain/data/AlbumRecord.h"
#include "app/domain/data/AudioFileRecord.h"
#include "app/domain/data/CatalogueFile.h"
#include "app/domain/data/CategoryRecord.h"
#include "app/domain/data/ConfigurationRecord.h"
#include "app/domain/data/FontRecord.h"
#include "app/domain/data/LabelRecord.h"
#include "app/domain/data/MediaRecord.h"
#include "app/domain/data/OldSongRecord.h"
#include "app/domain/data/PlaylistDetailRecord.h"
#include "app/domain/data/PlaylistMasterRecord.h"
#include "app/domain/data/SongRecord.h"
#include "runtime/data/DataFile.h"
#include "runtime/data/Database.h"

namespace cdz {

class Catalogue {
public:
    // Opens a file whose use count leaves 0; returns a runtime code (0 when open). The
    // start-up code installs the full open routine with its recovery chain.
    using OpenRoutine = std::function<int(DataFile&)>;

    // On a database server when `server` names one (see Database).
    explicit Catalogue(std::filesystem::path folder, OnServer server = {});
    ~Catalogue();
    Catalogue(const Catalogue&) = delete;
    Catalogue& operator=(const Catalogue&) = delete;

    Database& database() { return database_; }
    DataFile& file(CatalogueFile f) { return *files_[static_cast<size_t>(f)]; }
    void* record(CatalogueFile f) { return file(f).record(); }

    // The record buffers, one per file.
    AddWizardRecord& addWizard() { return addWizard_; }
    AlbumRecord& album() { return album_; }
    CategoryRecord& category() { return category_; }
    ConfigurationRecord& configuration() { return configuration_; }
    FontRecord& font() { return font_; }
    LabelRecord& label() { return label_; }
    MediaRecord& media() { return media_; }
    SongRecord& song() { return song_; }
    OldSongRecord& oldSong() { return oldSong_; }
    PlaylistDetailRecord& playlistEntry() { return playlistEntry_; }
    PlaylistMasterRecord& playlist() { return playlist_; }
    AudioFileRecord& audioFile() { return audioFile_; }

    // Use counters. use() opens the file on 0 -> 1 and counts it only when the open succeeds
    // (0, or the open's code with the count unchanged). release() closes it on 1 -> 0; a
    // release without a use is ignored.
    int use(CatalogueFile f);
    void release(CatalogueFile f);
    int useCount(CatalogueFile f) const { return counts_[static_cast<size_t>(f)]; }

    void setOpenRoutine(OpenRoutine routine) { open_ = std::move(routine); }
    // The plain routine in force until then: open shared, creating a missing file.
    static int openOrCreate(DataFile& file);

private:
    Database database_;
    AddWizardRecord addWizard_;
    AlbumRecord album_;
    CategoryRecord category_;
    ConfigurationRecord configuration_;
    FontRecord font_;
    LabelRecord label_;
    MediaRecord media_;
    SongRecord song_;
    OldSongRecord oldSong_;
    PlaylistDetailRecord playlistEntry_;
    PlaylistMasterRecord playlist_;
    AudioFileRecord audioFile_;
    // After the buffers and the database: the files close before either goes.
    std::array<std::unique_ptr<DataFile>, kCatalogueFileCount> files_;
    std::array<int, kCatalogueFileCount> counts_{};
    OpenRoutine open_ = &Catalogue::openOrCreate;
};

// Holds one use of each given file for a procedure's lifetime, taking them in order and giving
// them back in reverse. When a file does not open, the ones taken so far are given back at once
// and code() tells why.
class FileUse {
public:
    FileUse(Catalogue& catalogue, std::initializer_list<CatalogueFile> files);
    ~FileUse();
    FileUse(const FileUse&) = delete;
    FileUse& operator=(const FileUse&) = delete;

    int code() const { return code_; }
    bool ok() const { return code_ == 0; }

private:
    void giveBack();

    Catalogue& catalogue_;
    std::vector<CatalogueFile> held_;
    int code_ = 0;
};

}  // namespace cdz
