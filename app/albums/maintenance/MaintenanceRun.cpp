#include "app/albums/maintenance/MaintenanceRun.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "app/albums/maintenance/CopyToAlbumRule.h"
#include "app/albums/maintenance/DateToYearRule.h"
#include "app/albums/maintenance/TestAlbumIdsRule.h"
#include "app/domain/data/RecordCopy.h"
#include "runtime/data/RecordPuts.h"
#include "runtime/data/Transaction.h"

namespace cdz {

namespace {

std::unique_ptr<MaintenanceRule> ruleFor(Catalogue& catalogue, MaintenancePass pass) {
    switch (pass) {
        case MaintenancePass::CopyToAlbum:
            return std::make_unique<CopyToAlbumRule>(catalogue);
        case MaintenancePass::TestAlbumIDs:
            return std::make_unique<TestAlbumIdsRule>(catalogue);
        case MaintenancePass::ConvertDateToYear:
            return std::make_unique<DateToYearRule>(catalogue.song().ReleaseDate);
        case MaintenancePass::ConvertAlbumDateToYear:
            return std::make_unique<DateToYearRule>(catalogue.album().ReleaseDate);
    }
    return nullptr;
}

// The files a pass reads or writes: the linking passes look albums up (and add them).
std::vector<CatalogueFile> filesOf(MaintenancePass pass) {
    switch (pass) {
        case MaintenancePass::CopyToAlbum:
        case MaintenancePass::TestAlbumIDs:
            return {CatalogueFile::Album, CatalogueFile::Cadenzio};
        case MaintenancePass::ConvertDateToYear:
            return {CatalogueFile::Cadenzio};
        case MaintenancePass::ConvertAlbumDateToYear:
            return {CatalogueFile::Album};
    }
    return {};
}

std::unique_ptr<FileUse> useFiles(Catalogue& catalogue, MaintenancePass pass) {
    using F = CatalogueFile;
    switch (pass) {
        case MaintenancePass::CopyToAlbum:
        case MaintenancePass::TestAlbumIDs:
            return std::make_unique<FileUse>(catalogue,
                                             std::initializer_list<F>{F::Album, F::Cadenzio});
        case MaintenancePass::ConvertDateToYear:
            return std::make_unique<FileUse>(catalogue, std::initializer_list<F>{F::Cadenzio});
        case MaintenancePass::ConvertAlbumDateToYear:
            break;
    }
    return std::make_unique<FileUse>(catalogue, std::initializer_list<F>{F::Album});
}

// Other windows share the record buffers: a batch gives them back as it found them.
class BufferKeeper {
public:
    BufferKeeper(Catalogue& catalogue, const std::vector<CatalogueFile>& files)
        : catalogue_(catalogue) {
        for (CatalogueFile f : files) {
            kept_.emplace_back(f, RecordCopy::take(declarationOf(f), catalogue.record(f)));
        }
    }
    ~BufferKeeper() {
        for (const auto& [f, copy] : kept_) copy.restore(declarationOf(f), catalogue_.record(f));
    }
    BufferKeeper(const BufferKeeper&) = delete;
    BufferKeeper& operator=(const BufferKeeper&) = delete;

private:
    Catalogue& catalogue_;
    std::vector<std::pair<CatalogueFile, RecordCopy>> kept_;
};

}  // namespace

MaintenanceRun::MaintenanceRun(Catalogue& catalogue, MaintenancePass pass, int batchSize)
    : catalogue_(catalogue),
      info_(maintenancePassInfo(pass)),
      batchSize_(std::max(1, batchSize)),
      rule_(ruleFor(catalogue, pass)) {}

MaintenanceRun::~MaintenanceRun() {
    finish();
}

bool MaintenanceRun::start() {
    const std::vector<CatalogueFile> used = filesOf(info_.pass);
    files_ = useFiles(catalogue_, info_.pass);
    if (!files_->ok()) {
        ended_ = true;
        files_.reset();
        return false;
    }
    lean_.emplace(catalogue_.database());
    DataFile& file = catalogue_.file(info_.file);
    file.send("QUICKSCAN=on");
    const BufferKeeper keep(catalogue_, used);
    total_ = file.records();
    if (!file.error().ok()) return fail({FaultKind::Read, info_.file});
    if (const MaintenanceFault fault = rule_->prepare()) return fail(fault);
    return true;
}

bool MaintenanceRun::step() {
    if (ended_) return false;
    if (cancelled_ || !files_) {
        finish();
        return false;
    }
    const BufferKeeper keep(catalogue_, filesOf(info_.pass));
    if (!batch()) return false;
    if (ended_) finish();
    return !ended_;
}

bool MaintenanceRun::runToEnd() {
    while (step()) {
    }
    return !fault_;
}

bool MaintenanceRun::batch() {
    MaintenanceFault fault = batchOnce();
    if (fault && rule_->againOneByOne()) fault = batchOnce();
    return fault ? fail(fault) : true;
}

MaintenanceFault MaintenanceRun::batchOnce() {
    std::vector<DataFile*> files;
    for (CatalogueFile f : filesOf(info_.pass)) files.push_back(&catalogue_.file(f));
    Transaction transaction(catalogue_.database(), files);
    // A fault's writes are rolled back as the transaction leaves, the error state keeping its
    // cause.
    return transaction.began() ? MaintenanceFault{FaultKind::Write, info_.file}
                               : batchIn(transaction);
}

int64_t MaintenanceRun::BatchWork::writes() const {
    return static_cast<int64_t>(changes.size()) + tally.albumsCreated;
}

MaintenanceFault MaintenanceRun::applyRule(BatchWork& work, const DataFile::Current& current,
                                           std::string position) {
    DataFile& file = catalogue_.file(info_.file);
    bool changed = false;
    if (const MaintenanceFault fault = rule_->apply(changed, work.tally)) return fault;
    if (changed) work.changes.emplace_back(current, RecordCopy::take(file.decl(), file.record()));
    ++work.applied;
    work.last = current.recno;
    work.position = std::move(position);
    return {};
}

MaintenanceFault MaintenanceRun::readBatch(BatchWork& work, std::vector<BatchRecord>& ahead,
                                           bool lookAhead) {
    DataFile& file = catalogue_.file(info_.file);
    // The batch resumes at the last record done, which is read again and passed over.
    const int placed = started_ ? file.reset(info_.key, position_) : file.set(info_.key);
    if (placed != err::kNone) return {FaultKind::Read, info_.file};
    bool skipResumed = started_;
    work.atEnd = false;
    for (int read = 0; read < batchSize_ && work.writes() < kWritesPerBatch;) {
        const int code = file.next();
        if (code == err::kRecordNotAvailable) {
            work.atEnd = true;
            break;
        }
        if (code != err::kNone) return {FaultKind::Read, info_.file};
        const bool resumed = skipResumed && file.recordNumber() == lastRecord_;
        skipResumed = false;
        if (resumed) continue;
        ++read;
        if (!lookAhead) {
            if (MaintenanceFault fault = applyRule(work, file.current(), file.position(info_.key)))
                return fault;
            continue;
        }
        rule_->note();
        ahead.push_back({file.current(), file.position(info_.key),
                         RecordCopy::take(file.decl(), file.record())});
    }
    return {};
}

MaintenanceFault MaintenanceRun::batchIn(Transaction& transaction) {
    DataFile& file = catalogue_.file(info_.file);
    rule_->beginBatch();
    // Where the rule's reads are worth asking together, the batch is read first and the rule
    // applied after; elsewhere each record as it is read.
    const bool lookAhead = rule_->looksAhead();
    BatchWork work;
    std::vector<BatchRecord> ahead;
    if (const MaintenanceFault fault = readBatch(work, ahead, lookAhead)) return fault;
    if (lookAhead) {
        if (const MaintenanceFault fault = rule_->lookUp()) return fault;
        for (BatchRecord& record : ahead) {
            if (work.writes() >= kWritesPerBatch) {
                work.atEnd = false;  // the rest are read again by the next batch
                break;
            }
            record.copy.restore(file.decl(), file.record());
            file.setCurrent(record.current);
            if (MaintenanceFault fault =
                    applyRule(work, record.current, std::move(record.position)))
                return fault;
        }
    }
    if (const MaintenanceFault fault = rule_->finishBatch()) return fault;
    // Written once the batch is read, so that no write moves the read onward; as read, since
    // the transaction's lock kept every other station from changing them meanwhile.
    RecordPuts puts(file);
    for (const auto& [current, copy] : work.changes) {
        copy.restore(file.decl(), file.record());
        if (puts.put(current) != err::kNone) return {FaultKind::Write, info_.file};
    }
    if (puts.flush() != err::kNone || transaction.commit() != err::kNone) {
        return {FaultKind::Write, info_.file};
    }
    started_ = true;
    if (work.applied > 0) {
        lastRecord_ = work.last;
        position_ = std::move(work.position);
    }
    done_ += work.applied;
    rewritten_ += static_cast<int64_t>(work.changes.size());
    tally_.albumsCreated += work.tally.albumsCreated;
    for (auto& failed : work.tally.failedAlbums) {
        const bool known = std::any_of(
            tally_.failedAlbums.begin(), tally_.failedAlbums.end(), [&](const FailedAlbum& f) {
                return f.artist == failed.artist && f.album == failed.album;
            });
        if (!known) tally_.failedAlbums.push_back(std::move(failed));
    }
    if (work.atEnd) ended_ = true;
    return {};
}

bool MaintenanceRun::fail(MaintenanceFault fault) {
    Database& db = catalogue_.database();
    fault_ = fault;
    faultError_ = db.error();
    finish();
    db.error() = faultError_;
    return false;
}

void MaintenanceRun::finish() {
    ended_ = true;
    lean_.reset();
    if (!files_) return;
    if (files_->ok()) catalogue_.file(info_.file).send("QUICKSCAN=off");
    files_.reset();
}

int MaintenanceRun::percent() const {
    if (total_ <= 0) return ended_ && !fault_ ? 100 : 0;
    return static_cast<int>(std::min<int64_t>(100, done_ * 100 / total_));
}

}  // namespace cdz
