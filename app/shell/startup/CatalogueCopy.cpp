#include "app/shell/startup/CatalogueCopy.h"

#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>

#include "app/domain/data/Catalogue.h"
#include "querykit/qwizard/StoreNames.h"
#include "querykit/qwizard/StoreRecords.h"
#include "runtime/data/DataFile.h"
#include "runtime/data/Database.h"
#include "runtime/data/Transaction.h"

namespace cdz {
namespace {

// How long the copy waits for another station's lock on the target.
constexpr int kWaitMs = 10000;

constexpr const char* kStagingPrefix = ".copy-from-server-";

// Folders of copies whose process died before moving their files in.
void removeOrphanStagings(const std::filesystem::path& folder) {
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
        const std::string name = entry.path().filename().string();
        if (!name.starts_with(kStagingPrefix)) continue;
        const auto pid = static_cast<pid_t>(std::atol(name.c_str() + strlen(kStagingPrefix)));
        std::error_code ignored;
        if (pid > 0 && ::kill(pid, 0) != 0 && errno == ESRCH)
            std::filesystem::remove_all(entry.path(), ignored);
    }
}

struct Pair {
    DataFile* from;
    DataFile* to;
    bool present = false;
};

std::string reason(const DataFile& file, const std::string& what) {
    const ErrorState& e = file.error();
    std::string text =
        file.decl().label() + ": " + what + " (" + std::to_string(e.code) + " " + e.text;
    if (!e.driverText.empty()) text += ": " + e.driverText;
    return text + ")";
}

// The saved queries' three tables on one side, with their record buffers.
struct QueryTables {
    QueryTables(Database& db, const std::filesystem::path& folder)
        : queries(db, qk::queriesDecl(), query),
          elements(db, qk::elementsDecl(), element),
          fields(db, qk::fieldsDecl(), field) {
        qk::StoreNames names;
        names.setFilePaths(uint8_t{0}, folder.string(), std::nullopt);
        queries.setName(names.table(qk::StoreTableId::Queries));
        elements.setName(names.table(qk::StoreTableId::Elements));
        fields.setName(names.table(qk::StoreTableId::Fields));
    }
    qk::QueryRec query;
    qk::ElementRec element;
    qk::FieldRec field;
    DataFile queries;
    DataFile elements;
    DataFile fields;
};

// Every file made ready before anything is written: a target that holds records stops it.
// Returns the targets to lock, or a code with `why` set.
int prepareTargets(std::vector<Pair>& pairs, bool oneTransaction, std::vector<DataFile*>& targets,
                   std::string& why) {
    for (Pair& p : pairs) {
        const int opened = p.from->open(access::kSharedRead);
        if (opened == err::kFileNotFound) continue;
        if (opened) {
            why = reason(*p.from, "the source does not open");
            return opened;
        }
        p.present = true;
        int code = p.to->open();
        if (code == err::kFileNotFound) {
            code = p.to->create();
            if (!code) code = p.to->open();
        }
        if (code) {
            why = reason(*p.to, "the target does not open");
            return code;
        }
        if (const int64_t held = p.to->records(); held > 0) {
            why = p.to->decl().label() + ": the target holds " + std::to_string(held) +
                  " records already; a catalogue is copied only where there is none";
            return err::kAccessDenied;
        }
        targets.push_back(p.to);
        // Into the folder's files, one file at a time: a folder attaches only so many at once.
        if (!oneTransaction) p.to->close();
    }
    return 0;
}

// The source's records written under their numbers: in one stream where the target's storage
// has one, its keys made once after the last record.
int writeRecords(const Pair& p, bool streamIn, int64_t& count, std::string& why) {
    if (int code = p.from->beginBulkRead()) {
        why = reason(*p.from, "the source could not be read");
        return code;
    }
    if (streamIn) {
        if (int code = p.to->beginBulkAdd()) {
            why = reason(*p.to, "the target could not be written");
            return code;
        }
    }
    count = 0;
    int code;
    const auto& columns = p.from->decl().columns();
    while ((code = p.from->bulkNext()) == 0) {
        p.to->clearBuffer();
        for (const auto& c : columns) c.assign(p.to->record(), c.value(p.from->record()));
        const int64_t recno = p.from->recordNumber();
        if (int added = streamIn ? p.to->bulkAdd(recno) : p.to->addAs(recno)) {
            why = reason(*p.to, "record " + std::to_string(recno) + " could not be written");
            return added;
        }
        ++count;
    }
    if (code != err::kRecordNotAvailable) {
        why = reason(*p.from, "the source could not be read");
        return code;
    }
    if (streamIn) {
        if (int made = p.to->endBulkAdd()) {
            why = reason(*p.to, "its keys could not be made");
            return made;
        }
    }
    return 0;
}

// Every record of one file, under its record number, checked against both counts after.
int copyRecords(const Pair& p, int64_t& count, std::string& why) {
    const bool streamIn = p.to->database().has(StorageFeature::BulkCopy);
    if (int code = writeRecords(p, streamIn, count, why)) return code;
    const int64_t stored = p.to->records();
    const int64_t had = p.from->records();
    if (stored != count || had != count) {
        why = p.to->decl().label() + ": " + std::to_string(count) + " records read, " +
              std::to_string(had) + " counted in the source, " + std::to_string(stored) +
              " in the target; nothing was copied";
        return err::kTransactionFailed;
    }
    // The stream numbered later adds past the highest as it ended.
    if (int kept = streamIn ? 0 : p.to->keptNumbers()) {
        why = reason(*p.to, "its record numbers could not be kept");
        return kept;
    }
    return 0;
}

}  // namespace

CatalogueCopy::CatalogueCopy(std::filesystem::path folder, OnServer from, OnServer to)
    : folder_(std::move(folder)), from_(std::move(from)), to_(std::move(to)) {}

int CatalogueCopy::run() {
    copied_.clear();
    why_.clear();
    if (!to_.conninfo.empty()) return copyInto(folder_);
    // Into the folder's files the copy is made in a folder of its own inside it, and its files
    // are moved in only when every one is whole: a failed or killed copy leaves the folder as
    // it was, and can be run again.
    removeOrphanStagings(folder_);
    if (int code = refuseFilledTargets()) return code;
    const std::filesystem::path staging =
        folder_ / (std::string(kStagingPrefix) + std::to_string(::getpid()));
    std::error_code ec;
    std::filesystem::remove_all(staging, ec);
    std::filesystem::create_directory(staging, ec);
    if (ec) {
        why_ = "cannot create " + staging.string() + ": " + ec.message();
        return err::kAccessDenied;
    }
    int code = copyInto(staging);
    if (!code) code = moveIn(staging);
    if (code) copied_.clear();
    std::filesystem::remove_all(staging, ec);
    return code;
}

// The folder's own files: any that holds records stops the copy before anything is made.
int CatalogueCopy::refuseFilledTargets() {
    Catalogue target(folder_);
    QueryTables queries(target.database(), folder_);
    std::vector<DataFile*> files{&queries.queries, &queries.elements, &queries.fields};
    for (int f = 0; f < kCatalogueFileCount; ++f)
        files.push_back(&target.file(static_cast<CatalogueFile>(f)));
    for (DataFile* file : files) {
        if (!std::filesystem::exists(file->path())) continue;
        if (int code = file->open(access::kSharedRead)) {
            why_ = reason(*file, "the target does not open");
            return code;
        }
        const int64_t held = file->records();
        file->close();
        if (held > 0) {
            why_ = file->decl().label() + ": the target holds " + std::to_string(held) +
                   " records already; a catalogue is copied only where there is none";
            return err::kAccessDenied;
        }
    }
    return 0;
}

// Each staged file replaces the folder's empty one (or takes its place) by a rename on the
// same disk.
int CatalogueCopy::moveIn(const std::filesystem::path& staging) {
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(staging, ec)) {
        const std::string name = entry.path().filename().string();
        if (!entry.is_regular_file() || name.ends_with("-journal")) continue;
        const std::filesystem::path to = folder_ / name;
        // A journal left beside the file it replaces would be played back into the new one.
        std::filesystem::remove(to.string() + "-journal", ec);
        std::filesystem::rename(entry.path(), to, ec);
        if (ec) {
            why_ = "cannot move " + name + " into " + folder_.string() + ": " + ec.message();
            return err::kAccessDenied;
        }
    }
    return 0;
}

int CatalogueCopy::copyInto(const std::filesystem::path& folder) {
    Catalogue source(folder_, from_), target(folder, to_);
    // Each file is read once and written once, its keys made after: neither side needs a large
    // cache of its pages.
    const LeanPass reading(source.database()), writing(target.database());
    QueryTables sourceQueries(source.database(), folder_), targetQueries(target.database(), folder);
    std::vector<Pair> pairs;
    pairs.reserve(static_cast<size_t>(kCatalogueFileCount) + 3);
    for (int f = 0; f < kCatalogueFileCount; ++f) {
        pairs.push_back({&source.file(static_cast<CatalogueFile>(f)),
                         &target.file(static_cast<CatalogueFile>(f))});
    }
    pairs.push_back({&sourceQueries.queries, &targetQueries.queries});
    pairs.push_back({&sourceQueries.elements, &targetQueries.elements});
    pairs.push_back({&sourceQueries.fields, &targetQueries.fields});

    Database& db = target.database();
    const bool oneTransaction = db.has(StorageFeature::OneTransactionCopy);
    std::vector<DataFile*> targets;
    if (int code = prepareTargets(pairs, oneTransaction, targets, why_)) return code;
    // A failure leaves the scope of the copy's transaction, which rolls it back.
    std::optional<Transaction> whole;
    if (oneTransaction) {
        whole.emplace(db, targets, kWaitMs);
        if (int code = whole->began()) {
            why_ = "the server's tables could not be locked (" + db.error().text + ")";
            return code;
        }
    }
    for (Pair& p : pairs) {
        if (!p.present) continue;
        std::optional<Transaction> one;
        if (!oneTransaction) {
            if (int code = p.to->open()) {
                why_ = reason(*p.to, "the target does not open");
                return code;
            }
            one.emplace(db, std::vector<DataFile*>{p.to}, kWaitMs);
            if (int code = one->began()) {
                why_ = reason(*p.to, "the target could not be locked");
                return code;
            }
        }
        int64_t count = 0;
        if (int code = copyRecords(p, count, why_)) {
            copied_.clear();
            return code;
        }
        copied_.push_back({p.to->decl().label(), count});
        if (!oneTransaction) {
            if (int committed = one->commit()) {
                why_ = reason(*p.to, "the copy could not be committed");
                return committed;
            }
            p.to->close();
        }
    }
    if (oneTransaction) {
        if (int code = whole->commit()) {
            why_ = "the copy could not be committed (" + db.error().text + ": " +
                   db.error().driverText + ")";
            copied_.clear();
            return code;
        }
    }
    return 0;
}

}  // namespace cdz
