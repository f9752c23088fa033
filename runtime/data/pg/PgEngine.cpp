#include "runtime/data/pg/PgEngine.h"

#include <cctype>
#include <utility>

#include "runtime/data/Database.h"
#include "runtime/data/ErrorGuard.h"
#include "runtime/data/pg/PgDialect.h"
#include "runtime/data/pg/PgFiles.h"
#include "runtime/data/pg/PgStatement.h"
#include "runtime/data/pg/PgTableSql.h"

namespace cdz::pg {
namespace {

// The first half of every file lock's key ("Cdz0"), so the program's locks keep apart from
// any other application's on the same server.
constexpr const char* kLockClass = "1130658352";

std::string fileLockCall(const char* function) {
    return std::string("SELECT ") + function + "(" + kLockClass + ", hashtext($1))";
}

std::string layoutOf(const std::string& plain) {
    return PgTableSql::identifier(plain) + "." + PgTableSql::kLayoutTable;
}

}  // namespace

PgEngine::PgEngine(ErrorState& error, std::string conninfo, std::string catalogue)
    : error_(error), conninfo_(std::move(conninfo)), catalogue_(std::move(catalogue)) {}

PgEngine::~PgEngine() {
    if (conn_.inTransaction()) conn_.exec("ROLLBACK");
}

std::string PgEngine::schemaOf(const std::filesystem::path& file) const {
    std::string name = catalogue_.empty() ? std::string() : catalogue_ + "_";
    name += file.stem().string();
    for (char& c : name) {
        const auto u = static_cast<unsigned char>(c);
        c = std::isalnum(u) ? static_cast<char>(std::tolower(u)) : '_';
    }
    return name;
}

std::string PgEngine::plainName(const std::string& schema) {
    if (schema.size() < 2 || schema.front() != '"') return schema;
    std::string plain;
    for (size_t i = 1; i + 1 < schema.size(); ++i) {
        plain += schema[i];
        if (schema[i] == '"') ++i;
    }
    return plain;
}

int PgEngine::succeed() {
    error_.clear();
    return 0;
}

int PgEngine::report() {
    error_ = conn_.error();
    return error_.code;
}

int PgEngine::failWith(int code, const std::string& why) {
    if (code == 0) return succeed();
    error_.set(code, 0, why);
    return code;
}

int PgEngine::fail(int) {
    return report();
}

int PgEngine::connect() {
    if (conn_.isOpen()) return 0;
    constexpr auto kRetryAfter = std::chrono::seconds(30);
    if (connectFailure_.code != 0 &&
        std::chrono::steady_clock::now() - connectFailedAt_ < kRetryAfter) {
        error_ = connectFailure_;
        return error_.code;
    }
    if (conn_.open(conninfo_)) {
        if (conn_.timedOut()) {
            connectFailure_ = conn_.error();
            connectFailedAt_ = std::chrono::steady_clock::now();
        }
        return report();
    }
    connectFailure_.clear();
    if (conn_.setLockWait(lockWaitMs_)) return report();
    return 0;
}

void PgEngine::setLockWait(int ms) {
    lockWaitMs_ = ms;
    if (conn_.isOpen()) conn_.setLockWait(ms);
}

int PgEngine::schemaExists(const std::string& plain, bool* exists) {
    PgResult r;
    if (conn_.query("SELECT 1 FROM pg_class c JOIN pg_namespace n ON n.oid = c.relnamespace "
                    "WHERE n.nspname = $1 AND c.relname = $2",
                    {plain, std::string(PgTableSql::kLayoutTable)}, &r)) {
        return report();
    }
    *exists = r.rows() > 0;
    return 0;
}

int PgEngine::admit(const std::filesystem::path& file, bool create, bool) {
    // The server has no journal left behind: an interrupted transaction was rolled back when
    // its connection ended.
    if (int code = connect()) return code;
    bool exists = false;
    if (int code = schemaExists(schemaOf(file), &exists)) return code;
    if (!exists && !create) {
        error_.set(err::kFileNotFound);
        return error_.code;
    }
    return succeed();
}

bool PgEngine::fileLock(const std::string& plain, const char* function, int* code) {
    PgResult r;
    *code = conn_.query(fileLockCall(function), {plain}, &r);
    if (*code) {
        *code = report();
        return false;
    }
    *code = 0;
    // The lock functions that wait give no value; those that try give whether they took it.
    return r.rows() == 0 || r.isNull(0, 0) || r.text(0, 0) != "f";
}

int PgEngine::attach(const std::filesystem::path& file, std::string* schema) {
    if (int code = connect()) return code;
    const std::string plain = schemaOf(file);
    int code = 0;
    // Held while the file is open; waits at most the lock wait for a Build, Pack or Fix of
    // another station to end.
    fileLock(plain, "pg_advisory_lock_shared", &code);
    if (code) return code;
    attached_.push_back({file, plain, false});
    *schema = PgTableSql::identifier(plain);
    return succeed();
}

int PgEngine::detach(const std::filesystem::path& file) {
    for (auto it = attached_.begin(); it != attached_.end(); ++it) {
        if (it->file != file) continue;
        int code = 0;
        if (it->exclusive) fileLock(it->plain, "pg_advisory_unlock", &code);
        fileLock(it->plain, "pg_advisory_unlock_shared", &code);
        attached_.erase(it);
        return code ? code : succeed();
    }
    return succeed();
}

int PgEngine::setExclusive(const std::string& schema, bool on) {
    const std::string plain = plainName(schema);
    Attached* entry = nullptr;
    for (auto& a : attached_) {
        if (a.plain == plain) entry = &a;
    }
    if (!entry) {
        error_.set(err::kFileNotOpen);
        return error_.code;
    }
    int code = 0;
    if (!on) {
        if (entry->exclusive) fileLock(plain, "pg_advisory_unlock", &code);
        entry->exclusive = false;
        return code ? code : succeed();
    }
    if (entry->exclusive) return succeed();
    if (!fileLock(plain, "pg_try_advisory_lock", &code)) {
        if (code) return code;
        // Another station has the file open: maintenance is refused, not merely delayed.
        error_.set(err::kAccessDenied, 0, "another station has the file open");
        return error_.code;
    }
    entry->exclusive = true;
    return succeed();
}

int PgEngine::run(const std::string& sql, const SqlValues& params, PgResult* out) {
    int code;
    if (conn_.inTransaction() && !conn_.transactionFailed()) {
        // A failure would end the whole transaction on the server; SQLite undoes the one
        // statement and goes on. A write lock asked for goes in the same exchange.
        code = conn_.runGuarded(sql, params, out, std::exchange(lockFirst_, {}));
    } else {
        code = conn_.runPrepared(sql, params, out);
    }
    if (!code && out && out->affected() >= 0) {
        const std::string_view head = std::string_view(sql).substr(0, 6);
        if (head == "INSERT" || head == "UPDATE" || head == "DELETE") {
            lastChanges_ = out->affected();
            totalChanges_ += lastChanges_;
        }
    }
    return code;
}

std::shared_ptr<PreparedStatement> PgEngine::prepare(const std::string& sql) {
    if (!conn_.isOpen()) {
        error_.set(err::kFileNotOpen);
        return {};
    }
    auto it = translated_.find(sql);
    if (it == translated_.end()) {
        PgTranslation t = PgDialect::translate(sql);
        if (!t.ok()) {
            error_.set(err::kDriverError, 0, t.refused);
            return {};
        }
        it = translated_.emplace(sql, std::move(t.sql)).first;
    }
    // Parsed and planned now, so a text the server cannot run fails here, as in SQLite.
    if (conn_.prepare(it->second)) {
        report();
        return {};
    }
    return std::make_shared<PgStatement>(
        conn_, it->second,
        [this](const std::string& s, const SqlValues& p, PgResult* out) { return run(s, p, out); });
}

std::shared_ptr<PreparedStatement> PgEngine::prepareOnce(const std::string& sql) {
    return prepare(sql);
}

int PgEngine::exec(const std::string& sql) {
    PgTranslation t = PgDialect::translate(sql);
    if (!t.ok()) {
        error_.set(err::kDriverError, 0, t.refused);
        return error_.code;
    }
    return execNative(t.sql);
}

int PgEngine::execNative(const std::string& sql) {
    if (!conn_.isOpen()) {
        error_.set(err::kFileNotOpen);
        return error_.code;
    }
    return conn_.exec(sql) ? report() : succeed();
}

int PgEngine::queryNative(const std::string& sql, const SqlValues& params, PgResult* out) {
    if (!conn_.isOpen()) {
        error_.set(err::kFileNotOpen);
        return error_.code;
    }
    return run(sql, params, out) ? report() : succeed();
}

int PgEngine::begin() {
    return execNative("BEGIN");
}

int PgEngine::lock(const std::vector<std::string>& schemas, int waitMs) {
    // Every write of a file updates its layout rows (the record count and the stamp), so
    // holding them is holding the file's write lock, as a SQLite file has one.
    if (int code = execNative("SET LOCAL lock_timeout = " +
                              std::to_string(PgConnection::serverLockWait(waitMs)))) {
        return code;
    }
    for (const auto& s : schemas) {
        if (int code = execNative("SELECT 1 FROM " + layoutOf(plainName(s)) + " FOR UPDATE")) {
            return code;
        }
    }
    return execNative("SET LOCAL lock_timeout = " +
                      std::to_string(PgConnection::serverLockWait(lockWaitMs_)));
}

int PgEngine::commit() {
    // A copy still open is refused first: the transaction then fails rather than keep part.
    conn_.abandonCopy();
    return conn_.commit() ? report() : succeed();
}

int PgEngine::rollback() {
    conn_.abandonCopy();
    return execNative("ROLLBACK");
}

int PgEngine::abandon(int code) {
    conn_.abandonCopy();
    const ErrorState failure = error_;
    conn_.exec("ROLLBACK");
    error_ = failure;
    return code;
}

int PgEngine::serialised(const std::string& schema, const std::function<int()>& work) {
    // Numbering reads the highest number so far; the file's write lock, taken first, makes
    // another station's add wait or be seen, never numbered alike.
    const std::string lockSql = "SELECT 1 FROM " + layoutOf(plainName(schema)) + " FOR UPDATE";
    if (conn_.inTransaction() && !conn_.transactionFailed()) {
        // Taken by the work's first statement, sent with it (a bulk add makes one exchange
        // with the server per record, not two); the statement sees what the wait let in.
        lockFirst_ = lockSql;
        const int code = work();
        if (!lockFirst_.empty()) {
            // The work wrote nothing on the server: the lock is not needed.
            lockFirst_.clear();
        }
        return code;
    }
    if (conn_.inTransaction()) {
        if (queryNative(lockSql, {})) return error_.code;
        return work();
    }
    if (int code = execNative("BEGIN")) return code;
    int code = queryNative(lockSql, {});
    if (!code) code = work();
    return code ? abandon(code) : commit();
}

int PgEngine::createOnce(const std::string& schema, const std::string& table,
                         const std::function<int()>& create) {
    const std::string plain = plainName(schema);
    if (int code = execNative("BEGIN")) return code;
    int code = 0;
    // A lock of its own class: the file locks of the stations that have the file open are
    // shared ones of the file's key and must not stand in the way.
    PgResult r;
    code = queryNative(
        std::string("SELECT pg_advisory_xact_lock(") + kLockClass + " + 1, hashtext($1))", {plain},
        &r);
    bool exists = false;
    if (!code) code = schemaExists(plain, &exists);
    bool listed = false;
    if (!code && exists) {
        code = queryNative("SELECT 1 FROM " + layoutOf(plain) + " WHERE tbl = $1", {table}, &r);
        listed = !code && r.rows() > 0;
    }
    if (!code && !listed) code = create();
    return code ? abandon(code) : commit();
}

int PgEngine::renameSchema(const std::filesystem::path& from, const std::filesystem::path& to) {
    if (int code = connect()) return code;
    const std::string source = schemaOf(from), target = schemaOf(to);
    bool there = false, taken = false;
    if (int code = schemaExists(source, &there)) return code;
    if (!there) return failWith(err::kFileNotFound);
    if (int code = schemaExists(target, &taken)) return code;
    if (taken) return failWith(err::kAccessDenied, to.filename().string() + " exists");
    // The count function names its schema's layout table, so it is made again there.
    std::vector<std::string> steps{"BEGIN", "ALTER SCHEMA " + PgTableSql::identifier(source) +
                                                " RENAME TO " + PgTableSql::identifier(target)};
    for (auto& s : PgTableSql::createSchema(target)) steps.push_back(std::move(s));
    steps.push_back("COMMIT");
    for (const auto& s : steps) {
        if (int code = execNative(s)) {
            const ErrorState failure = error_;
            conn_.exec("ROLLBACK");
            error_ = failure;
            return code;
        }
    }
    return 0;
}

int64_t PgEngine::dataVersion(const std::string& schema) {
    PgResult r;
    if (conn_.query("SELECT COALESCE(sum(stamp), 0) FROM " + layoutOf(plainName(schema)), {}, &r) ||
        r.rows() == 0) {
        return -1;
    }
    return std::stoll(std::string(r.text(0, 0)));
}

bool PgEngine::has(StorageFeature feature) const {
    return feature == StorageFeature::OneTransactionCopy || feature == StorageFeature::BulkCopy;
}

std::unique_ptr<FileStorage> PgEngine::storage(Database& db, const FileDecl& decl,
                                               const std::string& schema, const FileName& where) {
    (void)db;
    return std::make_unique<PgFiles>(*this, decl, schema, where);
}

int PgEngine::removeFile(Database& db, const FileDecl& decl, const FileName& where) {
    std::string schema;
    if (int code = db.attach(where.database, false, true, &schema)) return code;
    const int code = PgFiles(*this, decl, schema, where).remove();
    ErrorGuard keep(db.error());
    db.detach(where.database);
    return code;
}

int PgEngine::renameDatabase(Database& db, const std::filesystem::path& from,
                             const std::filesystem::path& to) {
    (void)db;
    return renameSchema(from, to);
}

void PgEngine::discardDatabase(const std::filesystem::path& database) {
    // A schema made in a failed transaction went with it.
    (void)database;
}

}  // namespace cdz::pg
