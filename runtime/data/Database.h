#pragma once
// The catalogue's data connection: each database file is attached to it while some data file
// in it is open, so that a transaction over several files is one atomic commit. It holds the
// runtime error state that every data operation sets, the files' use counts and the
// transaction and stream flags; the storage engine under it does the engine's own work.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/data/ErrorState.h"
#include "runtime/data/FileStorage.h"
#include "runtime/data/Statement.h"
#include "runtime/data/StorageEngine.h"

namespace cdz {

// Where the catalogue lives when it is on a database server: a libpq connection string or URL
// (empty: the files in the folder), and the catalogue's name, which prefixes its schemas so
// that several catalogues share one database (empty: the schemas are the files' names).
struct OnServer {
    std::string conninfo;
    std::string catalogue;
};

// It must outlive the DataFile objects that use it.
class Database {
public:
    // `vfs` names the SQLite VFS the engine opens its files with (empty: the default).
    explicit Database(std::filesystem::path folder, std::string vfs = {});
    // The catalogue on a server when `server` names one: each file is a schema of the
    // server's database; `folder` still holds the station's own files (settings, exports).
    Database(std::filesystem::path folder, OnServer server);
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    const std::filesystem::path& folder() const { return folder_; }
    // Moves the connection to a server (or back to the folder's files when `server` names
    // none); 52 while a file is attached.
    int setServer(OnServer server);
    // What the storage engine under the catalogue can do.
    bool has(StorageFeature feature) const { return engine_->has(feature); }
    void setFolder(std::filesystem::path folder) { folder_ = std::move(folder); }

    // The error state of the latest data operation.
    const ErrorState& error() const { return error_; }
    ErrorState& error() { return error_; }
    // Sets the state and returns the runtime code (for `return db.fail(...)`).
    int fail(int runtimeCode, int driverCode = 0, std::string_view driverText = {});
    int succeed() {
        error_.clear();
        return 0;
    }

    // How long an ordinary operation waits for another station's lock (milliseconds).
    void setLockWait(int ms);

    // While a pass that reads whole files once is under way (LeanPass), the storage keeps only
    // a small cache of their pages; the full cache comes back when the last such pass ends.
    void beginLeanPass();
    void endLeanPass();
    int lockWait() const { return lockWaitMs_; }

    // Attaches a database file (counted per file) and gives its schema name. `create` makes a
    // missing file; otherwise a missing file fails with 2. Returns a runtime code.
    int attach(const std::filesystem::path& file, bool create, bool recover, std::string* schema);
    // Drops one use of an attached file; the last use detaches it.
    int detach(const std::filesystem::path& file);
    bool isAttached(const std::filesystem::path& file) const;
    int attachedCount() const { return static_cast<int>(uses_.size()); }
    // Holds (or gives up) an exclusive lock on an attached file, so no other station reads or
    // writes it meanwhile.
    int setExclusive(const std::string& schema, bool on);

    // A prepared statement from the cache, in a scope that resets it and clears its bindings
    // when it ends; an empty scope with the error state set when it does not prepare.
    Statement statement(const std::string& sql);
    // The same, prepared for this use alone and finalized when its scope ends: for a statement
    // inside a transaction that changes the schema under the cached ones.
    Statement freshStatement(const std::string& sql);
    // Whether the connection has a transaction open, whoever began it.
    bool transactionOpen() const;
    // Sets the error state from a failed step (or clears it for a row or the end); returns the
    // runtime code.
    int failStep(const StepResult& step);
    // Runs SQL without results; returns the runtime code.
    int exec(const std::string& sql);
    // Rows changed by the last insert, update or delete that ran.
    int changes() const;
    // Rows this connection has changed since it opened: with each file's change counter, the
    // stamp a listed order compares to know whether it must be made again.
    int64_t totalChanges() const;
    // The change counter of an attached file, moved by every other connection's commit to it;
    // -1 when it cannot be read.
    int64_t dataVersion(const std::string& schema);

    // Transactions over several files: the files' schema names are locked in a fixed order,
    // each waiting at most `waitMs`; a wait that runs out fails with 32.
    int begin(std::vector<std::string> schemas, int waitMs);
    int commit();
    int rollback();
    // Runs `work` holding the file's write lock (an add numbering a key); its code.
    int serialised(const std::string& schema, const std::function<int()>& work);
    bool inTransaction() const { return inTransaction_; }
    // Stream mode: writes are batched in one transaction until the matching flush.
    int beginStream();
    int endStream();

    // The storage engine's own work on a data file (see StorageEngine).
    std::unique_ptr<FileStorage> storage(const FileDecl& decl, const std::string& schema,
                                         const FileName& where);
    int removeFile(const FileDecl& decl, const FileName& where);
    int renameDatabase(const std::filesystem::path& from, const std::filesystem::path& to);
    void discardDatabase(const std::filesystem::path& database);

    // The password keywords of a server address that hold a value, in any of its forms.
    static std::vector<std::string> serverSecrets(const std::string& conninfo);

    static std::string quote(std::string_view identifier);  // "name"
    static std::string literal(std::string_view text);      // 'text'

private:
    struct Use {
        std::filesystem::path file;
        std::string schema;
        int users = 0;
    };

    Use* find(const std::filesystem::path& file);

    std::filesystem::path folder_;
    ErrorState error_;
    // After the error state, which it reports into.
    std::unique_ptr<StorageEngine> engine_;
    std::vector<Use> uses_;
    int lockWaitMs_ = 2000;
    bool inTransaction_ = false;
    bool streamOwnsTransaction_ = false;
    int streams_ = 0;
    int leanPasses_ = 0;
};

// A pass over whole files (a report, an export, a maintenance pass) for as long as it lives:
// reading a million songs once gains nothing from keeping them in memory.
class LeanPass {
public:
    explicit LeanPass(Database& db) : db_(db) { db_.beginLeanPass(); }
    ~LeanPass() { db_.endLeanPass(); }
    LeanPass(const LeanPass&) = delete;
    LeanPass& operator=(const LeanPass&) = delete;

private:
    Database& db_;
};

}  // namespace cdz
