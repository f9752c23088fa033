#include "app/songs/csv/SongImport.h"

#include "app/songs/csv/ImportErrors.h"
#include "runtime/data/Transaction.h"
#include "runtime/text/Text.h"

namespace cdz {
namespace {

using F = CatalogueFile;

}  // namespace

SongImport::SongImport(Catalogue& catalogue, CsvLineReader& reader,
                       const ImportAssignment& assignment, std::filesystem::path file)
    : catalogue_(catalogue),
      reader_(reader),
      assignment_(assignment),
      file_(std::move(file)),
      categories_(catalogue),
      media_(catalogue) {
    const FileDecl& decl = catalogue_.file(F::Cadenzio).decl();
    columns_.resize(assignment_.columns().size());
    for (const ImportTarget& t : assignment_.targets()) {
        if (t.column < 0) continue;
        if (t.label == ImportAssignment::kCategoryName) {
            categoryName_ = t.column;
            continue;
        }
        Column& c = columns_[static_cast<size_t>(t.column)];
        const FieldDesc* field = decl.column(t.label);
        c.fields.push_back(field);
        c.values.emplace_back(assignment_.columns()[static_cast<size_t>(t.column)].picture, *field);
    }
}

void SongImport::loadLookups() {
    categories_.load();
    media_.load();
}

void SongImport::start() {
    state_ = ImportState::Running;
    loadLookups();
    reader_.rewind();
    if (assignment_.stripHeader()) reader_.read();
}

void SongImport::note(std::string text) {
    ++noteCount_;
    if (notes_.size() < kMaxNotes) notes_.push_back(std::move(text));
}

void SongImport::fail(std::string title, std::string text) {
    state_ = ImportState::Failed;
    failureTitle_ = std::move(title);
    failureText_ = std::move(text);
}

int SongImport::percent() const {
    if (reader_.size() <= 0) return 100;
    const int64_t p = reader_.bytesRead() * 100 / reader_.size();
    return static_cast<int>(p > 100 ? 100 : p);
}

// A line with both a category number and a category name: the name wins unless it is blank.
bool SongImport::setCategory() {
    const auto fields = reader_.fields();
    const auto column = static_cast<size_t>(categoryName_);
    const std::string_view name =
        categoryName_ >= 0 && column < fields.size() ? fields[column].value : std::string_view();
    std::string added;
    int32_t& id = catalogue_.song().CategoryID;
    bool ok = true;
    if (clip(name).empty()) {
        ok = categories_.ensureNumber(id, &added);
    } else if (const std::optional<int32_t> found = categories_.numberOf(name, &added)) {
        id = *found;
    } else {
        ok = false;
    }
    if (!ok) {
        fail("Cannot ADD to Categories!", importErrorWords(catalogue_.file(F::Categories).error()));
        return false;
    }
    if (!added.empty()) note("line " + std::to_string(reader_.lineNumber()) + ": " + added);
    return true;
}

bool SongImport::ensureMedia() {
    std::string added;
    if (!media_.ensure(catalogue_.song().Media.clipped(), &added)) {
        fail("Cannot ADD to Media!", importErrorWords(catalogue_.file(F::Media).error()));
        return false;
    }
    if (!added.empty()) note("line " + std::to_string(reader_.lineNumber()) + ": " + added);
    return true;
}

// Every line starts from a cleared record and takes the next song number: nothing of the
// song before it carries over.
bool SongImport::addLine() {
    DataFile& songs = catalogue_.file(F::Cadenzio);
    songs.clearBuffer();
    void* record = songs.record();
    const auto fields = reader_.fields();
    for (size_t i = 0; i < fields.size() && i < columns_.size(); ++i) {
        const Column& c = columns_[i];
        // A NUL ends a text on the server and is kept on the files: neither stores it.
        if (!c.values.empty() && fields[i].value.find('\0') != std::string::npos) {
            ++refused_;
            note("line " + std::to_string(reader_.lineNumber()) + ": field " +
                 std::to_string(i + 1) + " holds a NUL character");
            return true;
        }
        for (const ImportValue& v : c.values) {
            if (const std::string why = v.store(fields[i].value, record); !why.empty()) {
                // Refused whole, as a line that breaks the format is; the next line goes on.
                ++refused_;
                note("line " + std::to_string(reader_.lineNumber()) + ": " + why);
                return true;
            }
        }
    }
    if (!setCategory() || !ensureMedia()) return false;
    if (songs.batchAdd() != 0) {
        fail("Cannot ADD to Cadenzio!", importErrorWords(songs.error()));
        return false;
    }
    ++added_;
    return true;
}

bool SongImport::step(int lines) {
    if (state_ != ImportState::Running) return false;
    Catalogue& c = catalogue_;
    Database& db = c.database();
    Transaction batch(db, {&c.file(F::Cadenzio), &c.file(F::Categories), &c.file(F::Media)},
                      db.lockWait());
    if (batch.began() != 0) {
        fail("Cannot ADD to Cadenzio!", importErrorWords(db.error()));
        return false;
    }
    // On a server the batch's songs go in together, numbered past the highest song read once.
    DataFile& songs = c.file(F::Cadenzio);
    if (songs.beginBatchAdd() != 0) {
        fail("Cannot ADD to Cadenzio!", importErrorWords(db.error()));
        return false;
    }
    const int64_t before = added_;
    for (int i = 0; i < lines && state_ == ImportState::Running; ++i) {
        const CsvRead got = reader_.read();
        if (got == CsvRead::End) {
            if (reader_.failed()) {
                fail("Cannot READ " + file_.string(), "Error #" +
                                                          std::to_string(reader_.errorNumber()) +
                                                          " - " + reader_.errorText());
            } else {
                state_ = ImportState::Completed;
            }
        } else if (got == CsvRead::Refused) {
            ++refused_;
            note("line " + std::to_string(reader_.lineNumber()) + ": " + reader_.refusal());
        } else if (!reader_.fields().empty()) {
            addLine();
        }
    }
    if (songs.endBatchAdd() != 0) {
        // Songs of the batch were not stored: none of it is kept, and the first failure is the
        // one told.
        const ErrorState cause = db.error();
        added_ = before;
        if (state_ != ImportState::Failed) fail("Cannot ADD to Cadenzio!", importErrorWords(cause));
        return false;
    }
    // What was added before a failure stays, as every earlier batch does.
    if (batch.commit() != 0) {
        const ErrorState cause = db.error();
        // The batch is gone: its songs are not counted.
        added_ = before;
        fail("Cannot ADD to Cadenzio!", importErrorWords(cause));
        return false;
    }
    return state_ == ImportState::Running;
}

void SongImport::cancel() {
    if (state_ == ImportState::Running) state_ = ImportState::Cancelled;
}

}  // namespace cdz
