#include "app/songs/csv/DiscogsImport.h"

#include <utility>

#include "app/songs/csv/ImportErrors.h"
#include "runtime/data/KeyLookup.h"
#include "runtime/data/Transaction.h"

namespace cdz {
namespace {

using F = CatalogueFile;

}  // namespace

DiscogsImport::DiscogsImport(Catalogue& catalogue, CsvLineReader& reader, DiscogsColumns columns,
                             std::filesystem::path file)
    : catalogue_(catalogue),
      reader_(reader),
      columns_(std::move(columns)),
      file_(std::move(file)),
      media_(catalogue) {}

void DiscogsImport::start() {
    state_ = ImportState::Running;
    media_.load();
    reader_.rewind();
    CsvRead got = reader_.read();
    // The header is the first line the reader could read, as it was when it was recognised.
    while (got == CsvRead::Refused) got = reader_.read();
}

void DiscogsImport::note(std::string text) {
    ++noteCount_;
    if (notes_.size() < kMaxNotes) notes_.push_back(std::move(text));
}

void DiscogsImport::fail(std::string title, const ErrorState& cause) {
    state_ = ImportState::Failed;
    failureTitle_ = std::move(title);
    failureText_ = importErrorWords(cause);
}

int DiscogsImport::percent() const {
    if (reader_.size() <= 0) return 100;
    const int64_t p = reader_.bytesRead() * 100 / reader_.size();
    return static_cast<int>(p > 100 ? 100 : p);
}

std::optional<bool> DiscogsImport::alreadyThere(const SqlValues& key) {
    if (addedKeys_.contains(key)) return true;
    const int code = catalogue_.file(F::Album).duplicateOfNew(AlbumRecord::KeyAlbum);
    if (code == err::kDuplicateKey) return true;
    if (code != err::kNone) return std::nullopt;
    return false;
}

// The media of the format, spelt as the media file spells it when it has it in any case.
bool DiscogsImport::ensureMedia() {
    AlbumRecord& album = catalogue_.album();
    if (const std::string known = media_.known(album.Media.clipped()); !known.empty())
        album.Media = known;
    std::string added;
    if (!media_.ensure(album.Media.clipped(), &added)) {
        fail("Cannot ADD to Media!", catalogue_.file(F::Media).error());
        return false;
    }
    if (!added.empty()) note("line " + std::to_string(reader_.lineNumber()) + ": " + added);
    return true;
}

bool DiscogsImport::addLine() {
    const std::string line = "line " + std::to_string(reader_.lineNumber()) + ": ";
    std::string why;
    const std::optional<DiscogsAlbum> release =
        DiscogsRelease::read(columns_, reader_.fields(), &why);
    if (!release) {
        ++refused_;
        note(line + why);
        return true;
    }
    DataFile& albums = catalogue_.file(F::Album);
    AlbumRecord& album = catalogue_.album();
    albums.clearBuffer();
    album.AlbumID = 0;  // the next number: the highest + 1
    const int cuts = release->storeInto(album);
    SqlValues key = KeyLookup(albums, AlbumRecord::KeyAlbum).valuesInBuffer();
    const std::optional<bool> there = alreadyThere(key);
    if (!there) {
        fail("Cannot READ Album!", albums.error());
        return false;
    }
    if (*there) {
        ++refused_;
        ++already_;
        note(line + "the album \"" + std::string(album.Album.clipped()) + "\" by \"" +
             std::string(album.Artist.clipped()) + "\" is already in the catalogue");
        return true;
    }
    if (!release->remark.empty()) note(line + release->remark);
    if (!ensureMedia()) return false;
    if (albums.batchAdd() != 0) {
        fail("Cannot ADD to Album!", albums.error());
        return false;
    }
    addedKeys_.insert(std::move(key));
    ++added_;
    cut_ += cuts;
    return true;
}

bool DiscogsImport::step(int lines) {
    if (state_ != ImportState::Running) return false;
    Database& db = catalogue_.database();
    DataFile& albums = catalogue_.file(F::Album);
    Transaction batch(db, {&albums, &catalogue_.file(F::Media)}, db.lockWait());
    if (batch.began() != 0 || albums.beginBatchAdd() != 0) {
        fail("Cannot ADD to Album!", db.error());
        return false;
    }
    const int64_t addedBefore = added_;
    const int64_t cutBefore = cut_;
    for (int i = 0; i < lines && state_ == ImportState::Running; ++i) {
        const CsvRead got = reader_.read();
        if (got == CsvRead::End) {
            if (reader_.failed()) {
                state_ = ImportState::Failed;
                failureTitle_ = "Cannot READ " + file_.string();
                failureText_ =
                    "Error #" + std::to_string(reader_.errorNumber()) + " - " + reader_.errorText();
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
    // A batch that is not stored whole is not counted: the first failure is the one told.
    if (albums.endBatchAdd() != 0 || batch.commit() != 0) {
        const ErrorState cause = db.error();
        added_ = addedBefore;
        cut_ = cutBefore;
        if (state_ != ImportState::Failed) fail("Cannot ADD to Album!", cause);
        return false;
    }
    return state_ == ImportState::Running;
}

void DiscogsImport::cancel() {
    if (state_ == ImportState::Running) state_ = ImportState::Cancelled;
}

}  // namespace cdz
