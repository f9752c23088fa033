#include "runtime/data/sqlite/SqliteEngine.h"

#include "runtime/data/Database.h"
#include "runtime/data/sqlite/SqliteFiles.h"

#include <sqlite3.h>

#include <algorithm>
#include <chrono>

#include "runtime/data/Database.h"
#include "runtime/data/ErrorGuard.h"
#include "runtime/data/Statement.h"
#include "runtime/data/sqlite/SqliteStatement.h"
#include "runtime/data/sqlite/StaleJournal.h"
#include "runtime/text/SortKey.h"
#include "runtime/text/Unicode.h"

namespace cdz {
namespace {

constexpr int kMaxAttached = 10;  // besides main
// Page cache of each attached file, in KiB. Pages are taken as they are used, so a small file
// costs little; a large one keeps its keys' upper levels and a batch of writes in memory
// instead of spilling them to the journal.
constexpr int kCacheKiB = 256 * 1024;
// The cache while a pass reads whole files once: enough for the keys' upper levels and the
// pages a row of a view touches, which is all that such a pass reads twice.
constexpr int kLeanCacheKiB = 8 * 1024;
// A file already open when such a pass begins, and up to this size, keeps its whole cache: the
// pass looks records up in it at random (the albums as songs are linked), as the windows do.
constexpr std::uintmax_t kLeanFileBytes = std::uintmax_t{64} << 20;

// A text function of this connection's statements: NULL stays NULL.
template <std::string (*map)(std::string_view)>
void textFunction(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    const auto* text = sqlite3_value_text(argv[0]);
    int n = sqlite3_value_bytes(argv[0]);
    std::string mapped =
        map(std::string_view(reinterpret_cast<const char*>(text), static_cast<size_t>(n)));
    sqlite3_result_text(ctx, mapped.data(), static_cast<int>(mapped.size()), SQLITE_TRANSIENT);
}

// UPPER() and LOWER() of the expression language, for filters pushed down to SQLite (whose
// own upper() and lower() know ASCII only).
void mapCase(sqlite3_context* ctx, sqlite3_value** argv, bool upper) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(argv[0]));
    std::string_view s(text ? text : "", static_cast<size_t>(sqlite3_value_bytes(argv[0])));
    bool ascii = true;
    for (char c : s) ascii = ascii && static_cast<unsigned char>(c) < 0x80;
    std::string out;
    if (ascii) {
        out.assign(s);
        for (char& c : out) {
            if (upper && c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
            if (!upper && c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
        }
    } else {
        out = upper ? toUpper(s) : toLower(s);
    }
    sqlite3_result_text(ctx, out.data(), static_cast<int>(out.size()), SQLITE_TRANSIENT);
}

void upperFunction(sqlite3_context* ctx, int, sqlite3_value** argv) {
    mapCase(ctx, argv, true);
}

void lowerFunction(sqlite3_context* ctx, int, sqlite3_value** argv) {
    mapCase(ctx, argv, false);
}

int runtimeCodeOf(int extended) {
    switch (extended & 0xff) {
        case SQLITE_CONSTRAINT:
            if (extended == SQLITE_CONSTRAINT_UNIQUE || extended == SQLITE_CONSTRAINT_PRIMARYKEY) {
                return err::kDuplicateKey;
            }
            return err::kDriverError;
        case SQLITE_BUSY:
        case SQLITE_LOCKED:
            return err::kFileLocked;
        case SQLITE_READONLY:
        case SQLITE_PERM:
        case SQLITE_AUTH:
            return err::kAccessDenied;
        default:
            return err::kDriverError;
    }
}

}  // namespace

SqliteEngine::SqliteEngine(ErrorState& error, std::string vfs)
    : error_(error), vfs_(std::move(vfs)) {}

SqliteEngine::~SqliteEngine() {
    closeConnection();
}

int SqliteEngine::setError(int runtimeCode, int driverCode, std::string_view driverText) {
    error_.set(runtimeCode, driverCode, driverText);
    return runtimeCode;
}

int SqliteEngine::fail(int rc) {
    sqlite3* db = conn_.get();
    int extended = db ? sqlite3_extended_errcode(db) : rc;
    if ((extended & 0xff) != (rc & 0xff)) extended = rc;
    std::string text = db ? sqlite3_errmsg(db) : sqlite3_errstr(rc);
    return setError(runtimeCodeOf(extended), extended, text);
}

void SqliteEngine::setLockWait(int ms) {
    lockWaitMs_ = ms;
    if (conn_) sqlite3_busy_timeout(conn_.get(), ms);
}

std::string SqliteEngine::freeSchemaName() const {
    for (int i = 1; i <= kMaxAttached; ++i) {
        // Appended rather than "f" + ...: GCC 12 at -O3 reports a false -Wrestrict for a
        // literal joined to a temporary string.
        std::string name = "f";
        name += std::to_string(i);
        bool used = std::any_of(attached_.begin(), attached_.end(),
                                [&](const Attached& a) { return a.schema == name; });
        if (!used) return name;
    }
    return {};
}

int SqliteEngine::openConnection(const std::filesystem::path& mainFile) {
    std::string name = mainFile.empty() ? std::string(":memory:") : mainFile.string();
    // One thread uses a connection: SQLite need not lock it around every call (a row of the
    // songs file is some fifty calls).
    int rc =
        conn_.open(name, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, vfs_);
    if (rc != SQLITE_OK) {
        int code = fail(rc);
        closeConnection();
        return code;
    }
    sqlite3* db = conn_.get();
    sqlite3_extended_result_codes(db, 1);
    // A quoted name that is no column is an error, never a text constant: a key built over
    // a column a table lacks would otherwise be a key over a constant.
    sqlite3_db_config(db, SQLITE_DBCONFIG_DQS_DDL, 0, nullptr);
    sqlite3_db_config(db, SQLITE_DBCONFIG_DQS_DML, 0, nullptr);
    sqlite3_busy_timeout(db, lockWaitMs_);
    // Case folding orders by UPPER() of a field without a stored copy; the sort key rebuilds
    // the copies a case-insensitive key stores.
    sqlite3_create_function(db, "cdz_fold", 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                            textFunction<foldCase>, nullptr, nullptr);
    sqlite3_create_function(db, "cdz_sortkey", 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                            textFunction<sortKey>, nullptr, nullptr);
    sqlite3_create_function(db, "cdz_upper", 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                            upperFunction, nullptr, nullptr);
    sqlite3_create_function(db, "cdz_lower", 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                            lowerFunction, nullptr, nullptr);
    // Statement journals (every add fires the record-count trigger) and sorts stay in memory
    // rather than going through temporary files page by page.
    if (int code = exec("PRAGMA temp_store = MEMORY")) {
        closeConnection();
        return code;
    }
    return succeed();
}

void SqliteEngine::finalizeStatements() {
    statements_.clear();
}

void SqliteEngine::closeConnection() {
    finalizeStatements();
    conn_.close();
}

int SqliteEngine::rebuild(const std::filesystem::path& mainFile) {
    closeConnection();
    if (int code = openConnection(mainFile)) return code;
    for (auto& a : attached_) {
        if (a.schema == "main") continue;
        if (int code =
                exec("ATTACH DATABASE " + Database::literal(a.file.string()) + " AS " + a.schema)) {
            return code;
        }
        if (int code = tune(a, false)) return code;
        if (a.exclusive) {
            if (int code = setExclusive(a.schema, true)) return code;
        }
    }
    return succeed();
}

namespace {

// Whether `file` is empty and no station is making it: a file the program makes has its first
// page within moments of appearing, so an empty one is another station's start only while new
// (or while its journal is there).
bool leftEmpty(const std::filesystem::path& file) {
    constexpr auto kMakingTakes = std::chrono::seconds(10);
    std::error_code ec;
    if (std::filesystem::file_size(file, ec) != 0 || ec) return false;
    const auto written = std::filesystem::last_write_time(file, ec);
    if (ec || std::filesystem::file_time_type::clock::now() - written < kMakingTakes) return false;
    return !std::filesystem::exists(file.string() + "-journal", ec);
}

}  // namespace

int SqliteEngine::admit(const std::filesystem::path& file, bool create, bool recover) {
    std::error_code ec;
    // A link to nothing would have the file made wherever it points: it is not the program's
    // file, and it is not touched.
    if (std::filesystem::is_symlink(file, ec) && !std::filesystem::exists(file, ec))
        return setError(err::kInvalidDataFile, SQLITE_NOTADB, "the file is a link to nothing");
    if (!std::filesystem::exists(file, ec)) {
        if (!create) return setError(err::kFileNotFound);
    } else if (leftEmpty(file)) {
        return setError(err::kInvalidDataFile, SQLITE_NOTADB,
                        "the file is empty (0 bytes); the program did not leave it so");
    } else if (!recover && StaleJournal::present(file)) {
        return setError(err::kFileLocked, SQLITE_BUSY,
                        "rollback journal of an interrupted transaction");
    }
    return succeed();
}

int SqliteEngine::attach(const std::filesystem::path& file, std::string* schema) {
    Attached entry{file, {}, false};
    auto mainIt = std::find_if(attached_.begin(), attached_.end(),
                               [](const Attached& a) { return a.schema == "main"; });
    int code = 0;
    if (!conn_) {
        entry.schema = "main";
        code = openConnection(file);
    } else if (attached_.size() - (mainIt != attached_.end() ? 1 : 0) < kMaxAttached) {
        entry.schema = freeSchemaName();
        code = exec("ATTACH DATABASE " + Database::literal(file.string()) + " AS " + entry.schema);
    } else if (mainIt == attached_.end()) {
        // Every slot is taken and main is the in-memory stand-in: the new file takes main.
        entry.schema = "main";
        attached_.push_back(entry);
        code = rebuild(file);
        attached_.pop_back();
    } else {
        return setError(err::kDriverError, SQLITE_ERROR, "too many attached databases");
    }
    if (code) return code;

    // Reading the schema makes SQLite roll back a hot journal now, and fails at once on a file
    // that is not a database.
    {
        Statement probe(prepare("SELECT count(*) FROM " + entry.schema + ".sqlite_schema"));
        if (!probe) {
            code = error_.code;
        } else {
            const StepResult rc = probe.step();
            code = rc.row() ? 0 : fail(rc.engineCode);
        }
    }
    if (code) {
        ErrorGuard keep(error_);
        attached_.push_back(entry);
        detach(file);
        return code;
    }
    attached_.push_back(entry);
    *schema = entry.schema;
    if (int tuned = tune(entry, true)) return tuned;
    return succeed();
}

// A file opened while the pass is under way is the pass's own, read or written once: it is lean
// whatever its size.
int SqliteEngine::tune(const Attached& file, bool openedNow) {
    bool lean = lean_;
    if (lean && !openedNow) {
        std::error_code failed;
        const std::uintmax_t bytes = std::filesystem::file_size(file.file, failed);
        lean = failed || bytes > kLeanFileBytes;
    }
    return exec("PRAGMA " + file.schema + ".cache_size = -" +
                std::to_string(lean ? kLeanCacheKiB : kCacheKiB));
}

void SqliteEngine::setLean(bool lean) {
    if (lean == lean_) return;
    lean_ = lean;
    if (!conn_) return;
    ErrorGuard keep(error_);
    for (const Attached& a : attached_) tune(a, false);
    // The pages over the smaller limit go now, not as the pass replaces them.
    if (lean) exec("PRAGMA shrink_memory");
}

int SqliteEngine::detach(const std::filesystem::path& file) {
    auto it = std::find_if(attached_.begin(), attached_.end(),
                           [&](const Attached& a) { return a.file == file; });
    if (it == attached_.end()) return succeed();
    std::string schema = it->schema;
    attached_.erase(it);
    finalizeStatements();
    if (attached_.empty()) {
        closeConnection();
        return succeed();
    }
    if (schema == "main") return rebuild({});
    return exec("DETACH DATABASE " + schema);
}

int SqliteEngine::setExclusive(const std::string& schema, bool on) {
    Attached* entry = nullptr;
    for (auto& a : attached_) {
        if (a.schema == schema) entry = &a;
    }
    if (!entry) return setError(err::kFileNotOpen);
    if (!on) {
        entry->exclusive = false;
        exec("PRAGMA " + schema + ".locking_mode=NORMAL");
        // The lock goes with the next access.
        return exec("SELECT count(*) FROM " + schema + ".sqlite_schema");
    }
    if (int code = exec("PRAGMA " + schema + ".locking_mode=EXCLUSIVE")) return code;
    // A write takes the exclusive lock, which this locking mode then keeps.
    int code = exec("UPDATE " + schema + ".cdz_layout SET stamp=stamp+1");
    if (code) {
        {
            ErrorGuard keep(error_);
            exec("PRAGMA " + schema + ".locking_mode=NORMAL");
        }
        // Another station holds the file: maintenance is refused, not merely delayed.
        return code == err::kFileLocked
                   ? setError(err::kAccessDenied, error_.driverCode, error_.driverText)
                   : code;
    }
    entry->exclusive = true;
    return succeed();
}

std::shared_ptr<PreparedStatement> SqliteEngine::prepare(const std::string& sql) {
    if (!conn_) {
        setError(err::kFileNotOpen);
        return {};
    }
    auto it = statements_.find(sql);
    if (it != statements_.end()) return it->second;
    sqlite3_stmt* stmt = nullptr;
    int rc = sqlite3_prepare_v3(conn_.get(), sql.c_str(), static_cast<int>(sql.size()),
                                SQLITE_PREPARE_PERSISTENT, &stmt, nullptr);
    if (rc != SQLITE_OK || stmt == nullptr) {
        sqlite3_finalize(stmt);
        fail(rc != SQLITE_OK ? rc : SQLITE_MISUSE);  // no statement in the text
        return {};
    }
    auto owned = std::make_shared<SqliteStatement>(stmt);
    statements_.emplace(sql, owned);
    return owned;
}

std::shared_ptr<PreparedStatement> SqliteEngine::prepareOnce(const std::string& sql) {
    if (!conn_) {
        setError(err::kFileNotOpen);
        return {};
    }
    sqlite3_stmt* stmt = nullptr;
    const int rc =
        sqlite3_prepare_v2(conn_.get(), sql.c_str(), static_cast<int>(sql.size()), &stmt, nullptr);
    if (rc != SQLITE_OK || stmt == nullptr) {
        sqlite3_finalize(stmt);
        fail(rc != SQLITE_OK ? rc : SQLITE_MISUSE);
        return {};
    }
    return std::make_shared<SqliteStatement>(stmt);
}

bool SqliteEngine::transactionOpen() const {
    return conn_ && !sqlite3_get_autocommit(conn_.get());
}

int SqliteEngine::exec(const std::string& sql) {
    if (!conn_) return setError(err::kFileNotOpen);
    int rc = sqlite3_exec(conn_.get(), sql.c_str(), nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) return fail(rc);
    return succeed();
}

int SqliteEngine::lockSchema(const std::string& schema) {
    // A write that changes nothing still takes the file's write lock, and only that file's.
    return exec("UPDATE " + schema + ".cdz_layout SET stamp=stamp WHERE 0");
}

int SqliteEngine::begin() {
    return exec("BEGIN");
}

int SqliteEngine::lock(const std::vector<std::string>& schemas, int waitMs) {
    sqlite3_busy_timeout(conn_.get(), waitMs);
    int code = 0;
    for (const auto& s : schemas) {
        if ((code = lockSchema(s)) != 0) break;
    }
    sqlite3_busy_timeout(conn_.get(), lockWaitMs_);
    return code;
}

int SqliteEngine::commit() {
    return exec("COMMIT");
}

int SqliteEngine::rollback() {
    return exec("ROLLBACK");
}

int SqliteEngine::changes() const {
    return sqlite3_changes(conn_.get());
}

int64_t SqliteEngine::totalChanges() const {
    return sqlite3_total_changes64(conn_.get());
}

int64_t SqliteEngine::dataVersion(const std::string& schema) {
    Statement stmt(prepare("PRAGMA " + Database::quote(schema) + ".data_version"));
    return stmt && stmt.step().row() ? stmt.integer(0) : -1;
}

bool SqliteEngine::has(StorageFeature feature) const {
    switch (feature) {
        case StorageFeature::FilesInFolder:
        case StorageFeature::PageSalvage:
        case StorageFeature::OwnCaseFunctions:
        case StorageFeature::BulkCopy:
            return true;
        case StorageFeature::OneTransactionCopy:
            return false;
    }
    return false;
}

std::unique_ptr<FileStorage> SqliteEngine::storage(Database& db, const FileDecl& decl,
                                                   const std::string& schema,
                                                   const FileName& where) {
    return std::make_unique<SqliteFiles>(db, decl, schema, where);
}

int SqliteEngine::removeFile(Database& db, const FileDecl& decl, const FileName& where) {
    return SqliteFiles::removeFile(db, decl, where);
}

int SqliteEngine::renameDatabase(Database& db, const std::filesystem::path& from,
                                 const std::filesystem::path& to) {
    return SqliteFiles::renameDatabase(db, from, to);
}

void SqliteEngine::discardDatabase(const std::filesystem::path& database) {
    SqliteFiles::discardDatabase(database);
}

}  // namespace cdz
