#pragma once
// One run of the import: each line of the file becomes a new song, starting from a cleared
// record and numbered next, its assigned columns stored through their pictures. Lines are
// added in batches, each batch one transaction, so a cancelled or failed run keeps every
// batch committed before it and the count says how many. On a server a batch's songs go in
// together (DataFile's batch adds); a failure there rolls the whole batch back. A category given by
// number or by name, or a media name, that the lookup files lack is added to them (and told), never
// left dangling; a line that breaks the file's format is refused with its line number and reason.
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/domain/data/Catalogue.h"
#include "app/songs/csv/CsvLineReader.h"
#include "app/songs/csv/ImportAssignment.h"
#include "app/songs/csv/ImportCategories.h"
#include "app/songs/csv/ImportMedia.h"
#include "app/songs/csv/ImportValue.h"

namespace cdz {

enum class ImportState { Running, Completed, Cancelled, Failed };

class SongImport {
public:
    // Notes kept word for word; later ones are only counted.
    static constexpr size_t kMaxNotes = 100;

    // The caller holds the songs, categories and media files open and the reader open.
    SongImport(Catalogue& catalogue, CsvLineReader& reader, const ImportAssignment& assignment,
               std::filesystem::path file);

    // Rewinds the file and skips the header line when the switch is set.
    void start();
    // Adds up to `lines` lines in one transaction; false once the run has ended.
    bool step(int lines);
    // Stops at once; every batch added so far stays.
    void cancel();

    ImportState state() const { return state_; }
    int64_t added() const { return added_; }
    int64_t refused() const { return refused_; }
    // "line 7: text follows the closing quote of field 1", "category 12 was added as ...".
    const std::vector<std::string>& notes() const { return notes_; }
    int64_t noteCount() const { return noteCount_; }
    // Percent of the file's bytes read, 0..100.
    int percent() const;
    // Why a failed run stopped: a title and a text for the message box.
    const std::string& failureTitle() const { return failureTitle_; }
    const std::string& failureText() const { return failureText_; }

private:
    struct Column {
        std::vector<const FieldDesc*> fields;
        std::vector<ImportValue> values;
    };

    void note(std::string text);
    bool addLine();
    bool setCategory();
    bool ensureMedia();
    void fail(std::string title, std::string text);
    void loadLookups();

    Catalogue& catalogue_;
    CsvLineReader& reader_;
    const ImportAssignment& assignment_;
    std::filesystem::path file_;
    std::vector<Column> columns_;
    // The column holding the category's name, -1 for none.
    int categoryName_ = -1;
    ImportCategories categories_;
    ImportMedia media_;
    ImportState state_ = ImportState::Running;
    int64_t added_ = 0;
    int64_t refused_ = 0;
    std::vector<std::string> notes_;
    int64_t noteCount_ = 0;
    std::string failureTitle_;
    std::string failureText_;
};

}  // namespace cdz
