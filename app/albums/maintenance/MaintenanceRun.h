#pragma once
// One housekeeping pass over a whole file, done in batches so that a window can drive it from
// its timer and other windows stay live. Each batch reads the next records in the pass's
// order, rewrites only those its rule changes, and commits them, with any albums it made, in
// one transaction (at most kBatchSize records read and about kWritesPerBatch written): a station
// that stops mid-pass leaves every committed batch whole and the rest untouched, and a cancel
// between batches keeps what was committed.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/albums/maintenance/MaintenancePass.h"
#include "app/albums/maintenance/MaintenanceRule.h"
#include "app/domain/data/Catalogue.h"
#include "app/domain/data/RecordCopy.h"
#include "runtime/data/Database.h"
#include "runtime/data/ErrorState.h"
#include "runtime/data/Transaction.h"

namespace cdz {

class MaintenanceRun {
public:
    static constexpr int kBatchSize = 1000;
    // A batch also ends after this many records written (rewritten songs, albums made): the
    // writes are what take the time, and a window waits for its batch.
    static constexpr int kWritesPerBatch = 250;

    MaintenanceRun(Catalogue& catalogue, MaintenancePass pass, int batchSize = kBatchSize);
    ~MaintenanceRun();
    MaintenanceRun(const MaintenanceRun&) = delete;
    MaintenanceRun& operator=(const MaintenanceRun&) = delete;

    // Opens the files and counts the records. False when a file does not open (the open
    // routine has told the user) or the first read fails (fault()).
    bool start();
    // Does one batch; true while records are left. A fault rolls the batch back and ends the
    // pass.
    bool step();
    // Every batch to the end; false on a fault.
    bool runToEnd();
    // The next step ends the pass without reading further.
    void cancel() { cancelled_ = true; }

    const MaintenancePassInfo& info() const { return info_; }
    bool ended() const { return ended_; }
    bool cancelled() const { return cancelled_ && ended_; }
    // Records done (in committed batches) of the records the file held at the start.
    int64_t done() const { return done_; }
    int64_t total() const { return total_; }
    // Whole percent done, at most 100.
    int percent() const;
    int64_t rewritten() const { return rewritten_; }
    const MaintenanceTally& tally() const { return tally_; }

    const MaintenanceFault& fault() const { return fault_; }
    // The cause of the fault, as the data files' error state held it.
    const ErrorState& faultError() const { return faultError_; }

private:
    // A record a batch read, kept until the rule is applied to it and it is written.
    struct BatchRecord {
        DataFile::Current current;
        std::string position;
        RecordCopy copy;
    };

    bool fail(MaintenanceFault fault);
    bool batch();
    MaintenanceFault batchOnce();
    MaintenanceFault batchIn(Transaction& transaction);
    // What a batch did so far: the records it rewrites, what else the rule did, and the last
    // record the rule was applied to.
    struct BatchWork {
        std::vector<std::pair<DataFile::Current, RecordCopy>> changes;
        MaintenanceTally tally;
        int64_t applied = 0;
        int64_t last = 0;
        std::string position;
        bool atEnd = false;
        int64_t writes() const;
    };
    MaintenanceFault applyRule(BatchWork& work, const DataFile::Current& current,
                               std::string position);
    // The batch's records, each applied as read, or noted by the rule and kept in `ahead`.
    MaintenanceFault readBatch(BatchWork& work, std::vector<BatchRecord>& ahead, bool lookAhead);
    void finish();

    Catalogue& catalogue_;
    const MaintenancePassInfo& info_;
    int batchSize_;
    std::unique_ptr<FileUse> files_;
    // A pass reads its file once, in order: the storage keeps a small cache of it meanwhile.
    std::optional<LeanPass> lean_;
    std::unique_ptr<MaintenanceRule> rule_;
    std::string position_;  // of the last record done, where the next batch resumes
    int64_t lastRecord_ = 0;
    bool started_ = false;
    bool ended_ = false;
    bool cancelled_ = false;
    int64_t done_ = 0;
    int64_t total_ = 0;
    int64_t rewritten_ = 0;
    MaintenanceTally tally_;
    MaintenanceFault fault_;
    ErrorState faultError_;
};

}  // namespace cdz
