#include "runtime/data/Database.h"

#include <algorithm>

#include "runtime/data/ErrorGuard.h"
#include "runtime/data/pg/PgConnection.h"
#include "runtime/data/pg/PgEngine.h"
#include "runtime/data/sqlite/SqliteEngine.h"

namespace cdz {

Database::Database(std::filesystem::path folder, std::string vfs)
    : folder_(std::move(folder)), engine_(std::make_unique<SqliteEngine>(error_, std::move(vfs))) {
    engine_->setLockWait(lockWaitMs_);
}

Database::Database(std::filesystem::path folder, OnServer server) : folder_(std::move(folder)) {
    setServer(std::move(server));
}

int Database::setServer(OnServer server) {
    if (!uses_.empty() || inTransaction_) return fail(err::kFileAlreadyOpen);
    engine_.reset();
    if (server.conninfo.empty()) {
        engine_ = std::make_unique<SqliteEngine>(error_, std::string());
    } else {
        engine_ = std::make_unique<pg::PgEngine>(error_, std::move(server.conninfo),
                                                 std::move(server.catalogue));
    }
    engine_->setLockWait(lockWaitMs_);
    if (leanPasses_ > 0) engine_->setLean(true);
    return succeed();
}

Database::~Database() {
    if (inTransaction_) rollback();
}

int Database::fail(int runtimeCode, int driverCode, std::string_view driverText) {
    error_.set(runtimeCode, driverCode, driverText);
    return runtimeCode;
}

void Database::setLockWait(int ms) {
    lockWaitMs_ = ms;
    engine_->setLockWait(ms);
}

std::unique_ptr<FileStorage> Database::storage(const FileDecl& decl, const std::string& schema,
                                               const FileName& where) {
    return engine_->storage(*this, decl, schema, where);
}

int Database::removeFile(const FileDecl& decl, const FileName& where) {
    return engine_->removeFile(*this, decl, where);
}

int Database::renameDatabase(const std::filesystem::path& from, const std::filesystem::path& to) {
    return engine_->renameDatabase(*this, from, to);
}

void Database::discardDatabase(const std::filesystem::path& database) {
    engine_->discardDatabase(database);
}

std::vector<std::string> Database::serverSecrets(const std::string& conninfo) {
    return pg::PgConnection::secretsIn(conninfo);
}

std::string Database::quote(std::string_view identifier) {
    std::string q = "\"";
    for (char c : identifier) {
        if (c == '"') q += '"';
        q += c;
    }
    q += '"';
    return q;
}

std::string Database::literal(std::string_view text) {
    std::string q = "'";
    for (char c : text) {
        if (c == '\'') q += '\'';
        q += c;
    }
    q += '\'';
    return q;
}

Database::Use* Database::find(const std::filesystem::path& file) {
    for (auto& u : uses_) {
        if (u.file == file) return &u;
    }
    return nullptr;
}

bool Database::isAttached(const std::filesystem::path& file) const {
    return std::any_of(uses_.begin(), uses_.end(), [&](const Use& u) { return u.file == file; });
}

int Database::attach(const std::filesystem::path& file, bool create, bool recover,
                     std::string* schema) {
    if (Use* u = find(file)) {
        ++u->users;
        *schema = u->schema;
        return succeed();
    }
    if (int code = engine_->admit(file, create, recover)) return code;
    if (inTransaction_) return fail(err::kTransactionActive);
    std::string name;
    const int code = engine_->attach(file, &name);
    // A file the engine attached stays in use even when its tuning afterwards failed.
    if (!name.empty()) {
        uses_.push_back({file, name, 1});
        *schema = name;
    }
    return code;
}

int Database::detach(const std::filesystem::path& file) {
    Use* u = find(file);
    if (!u) return succeed();
    if (--u->users > 0) return succeed();
    if (inTransaction_) {
        ++u->users;
        return fail(err::kTransactionActive);
    }
    uses_.erase(uses_.begin() + (u - uses_.data()));
    return engine_->detach(file);
}

int Database::setExclusive(const std::string& schema, bool on) {
    return engine_->setExclusive(schema, on);
}

Statement Database::statement(const std::string& sql) {
    return Statement(engine_->prepare(sql));
}

Statement Database::freshStatement(const std::string& sql) {
    return Statement(engine_->prepareOnce(sql));
}

bool Database::transactionOpen() const {
    return engine_->transactionOpen();
}

int Database::exec(const std::string& sql) {
    return engine_->exec(sql);
}

int Database::begin(std::vector<std::string> schemas, int waitMs) {
    if (!engine_->connected()) return fail(err::kFileNotOpen);
    if (inTransaction_ && !streamOwnsTransaction_) return fail(err::kTransactionActive);
    if (streamOwnsTransaction_) {
        // The batch so far is committed; the transaction takes over from here.
        if (int code = engine_->commit()) return code;
        inTransaction_ = streamOwnsTransaction_ = false;
    }
    std::sort(schemas.begin(), schemas.end());
    schemas.erase(std::unique(schemas.begin(), schemas.end()), schemas.end());
    if (int code = engine_->begin()) return code;
    if (int code = engine_->lock(schemas, waitMs)) {
        ErrorGuard keep(error_);
        engine_->rollback();
        return code;
    }
    inTransaction_ = true;
    return succeed();
}

int Database::commit() {
    if (!inTransaction_ || streamOwnsTransaction_) return fail(err::kTransactionFailed);
    if (int code = engine_->commit()) {
        // A commit that could not finish leaves nothing half done.
        ErrorGuard keep(error_);
        engine_->rollback();
        inTransaction_ = false;
        return code;
    }
    inTransaction_ = false;
    return succeed();
}

int Database::rollback() {
    if (!inTransaction_ || streamOwnsTransaction_) return fail(err::kTransactionFailed);
    inTransaction_ = false;
    // The engine may have rolled it back already (a failed commit, a full disk).
    if (!engine_->transactionOpen()) return succeed();
    return engine_->rollback();
}

int Database::serialised(const std::string& schema, const std::function<int()>& work) {
    return engine_->serialised(schema, work);
}

int Database::beginStream() {
    if (!engine_->connected()) return fail(err::kFileNotOpen);
    if (streams_++ == 0 && !inTransaction_) {
        if (int code = engine_->begin()) {
            --streams_;
            return code;
        }
        inTransaction_ = streamOwnsTransaction_ = true;
    }
    return succeed();
}

int Database::endStream() {
    if (streams_ == 0) return succeed();
    if (--streams_ == 0 && streamOwnsTransaction_) {
        inTransaction_ = streamOwnsTransaction_ = false;
        if (int code = engine_->commit()) {
            ErrorGuard keep(error_);
            engine_->rollback();
            return code;
        }
    }
    return succeed();
}

int Database::changes() const {
    return engine_->changes();
}

int64_t Database::totalChanges() const {
    return engine_->totalChanges();
}

int64_t Database::dataVersion(const std::string& schema) {
    return engine_->dataVersion(schema);
}

int Database::failStep(const StepResult& step) {
    return step.ok() ? succeed() : engine_->fail(step.engineCode);
}

void Database::beginLeanPass() {
    if (leanPasses_++ == 0) engine_->setLean(true);
}

void Database::endLeanPass() {
    if (leanPasses_ > 0 && --leanPasses_ == 0) engine_->setLean(false);
}

}  // namespace cdz
