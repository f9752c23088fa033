#pragma once
// One run of the import of a Discogs collection export: each release line becomes a new album,
// numbered next, in batches of one transaction each, as the song import adds songs, so a
// cancelled or failed run keeps every batch committed before it. An album whose title and
// artist the catalogue has already is refused in words, never added twice, so the same export
// imported again adds nothing; a line that is no release is refused with its number and why;
// a media name the media file lacks is added there and told.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "app/domain/data/Catalogue.h"
#include "app/songs/csv/CsvLineReader.h"
#include "app/songs/csv/DiscogsRelease.h"
#include "app/songs/csv/ImportMedia.h"
#include "app/songs/csv/SongImport.h"
#include "runtime/data/SqlValue.h"

namespace cdz {

class DiscogsImport {
public:
    // Notes kept word for word; later ones are only counted.
    static constexpr size_t kMaxNotes = SongImport::kMaxNotes;
    // The column of the export that no field of the album takes.
    static constexpr const char* kUnusedColumnsText = "column not imported: Date Added";

    // The caller holds the albums and media files open and the reader open.
    DiscogsImport(Catalogue& catalogue, CsvLineReader& reader, DiscogsColumns columns,
                  std::filesystem::path file);

    // Rewinds the file past its header line.
    void start();
    // Adds up to `lines` lines in one transaction; false once the run has ended.
    bool step(int lines);
    // Stops at once; every batch added so far stays.
    void cancel();

    ImportState state() const { return state_; }
    int64_t added() const { return added_; }
    int64_t refused() const { return refused_; }
    // Of the lines refused, those whose album the catalogue had already.
    int64_t already() const { return already_; }
    // Values cut to fit their fields, on the albums added.
    int64_t cut() const { return cut_; }
    // "line 7: the album \"Nevermind\" by \"Nirvana\" is already in the catalogue", ...
    const std::vector<std::string>& notes() const { return notes_; }
    int64_t noteCount() const { return noteCount_; }
    // Percent of the file's bytes read, 0..100.
    int percent() const;
    // Why a failed run stopped: a title and a text for the message box.
    const std::string& failureTitle() const { return failureTitle_; }
    const std::string& failureText() const { return failureText_; }

private:
    void note(std::string text);
    void fail(std::string title, const ErrorState& cause);
    // False when the run failed.
    bool addLine();
    // Whether the album in the buffer is in the catalogue already (this run's adds counted);
    // nullopt when the read failed.
    std::optional<bool> alreadyThere(const SqlValues& key);
    bool ensureMedia();

    Catalogue& catalogue_;
    CsvLineReader& reader_;
    DiscogsColumns columns_;
    std::filesystem::path file_;
    ImportMedia media_;
    // The album key's stored values of every album this run added: on a server a batch's adds
    // are not read back before the batch ends.
    std::set<SqlValues> addedKeys_;
    ImportState state_ = ImportState::Running;
    int64_t added_ = 0;
    int64_t refused_ = 0;
    int64_t already_ = 0;
    int64_t cut_ = 0;
    std::vector<std::string> notes_;
    int64_t noteCount_ = 0;
    std::string failureTitle_;
    std::string failureText_;
};

}  // namespace cdz
