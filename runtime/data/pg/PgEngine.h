#pragma once
// The storage engine of a catalogue on a PostgreSQL server: each data file is a schema of the
// server's database, named after the file (CDZSONGS.TPS is the schema cdzsongs), holding the
// file's tables and its layout table as the file holds them. A station holds a shared lock on
// each file it has open, so Build, Pack and Fix (which want the file alone) are refused while
// another station uses it; transactions lock each file's layout rows in one order, waiting at
// most the lock wait; and each write inside a transaction runs under its own savepoint, so a
// refused write is undone alone, as in SQLite.
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "runtime/data/ErrorState.h"
#include "runtime/data/StorageEngine.h"
#include "runtime/data/pg/PgConnection.h"

namespace cdz::pg {

class PgEngine final : public StorageEngine {
public:
    // `conninfo`: a libpq connection string or URL ("postgresql://host/music"); the password
    // comes from the server's authentication or the user's .pgpass, never from the program.
    PgEngine(ErrorState& error, std::string conninfo, std::string catalogue = {});
    ~PgEngine() override;

    // The schema that holds a data file: the catalogue's name and '_' (when it has one), then
    // the file's name without folder or extension, lower case, with anything but letters,
    // digits and '_' as '_'.
    std::string schemaOf(const std::filesystem::path& file) const;
    const std::string& conninfo() const { return conninfo_; }
    const std::string& catalogue() const { return catalogue_; }

    bool connected() const override { return conn_.isOpen() && !attached_.empty(); }
    void setLockWait(int ms) override;

    int admit(const std::filesystem::path& file, bool create, bool recover) override;
    int attach(const std::filesystem::path& file, std::string* schema) override;
    int detach(const std::filesystem::path& file) override;
    int setExclusive(const std::string& schema, bool on) override;

    std::shared_ptr<PreparedStatement> prepare(const std::string& sql) override;
    std::shared_ptr<PreparedStatement> prepareOnce(const std::string& sql) override;
    int exec(const std::string& sql) override;
    int fail(int engineCode) override;
    bool transactionOpen() const override { return conn_.inTransaction(); }

    int begin() override;
    int lock(const std::vector<std::string>& schemas, int waitMs) override;
    int commit() override;
    int rollback() override;
    int serialised(const std::string& schema, const std::function<int()>& run) override;

    int changes() const override { return static_cast<int>(lastChanges_); }
    int64_t totalChanges() const override { return totalChanges_; }
    int64_t dataVersion(const std::string& schema) override;

    bool has(StorageFeature feature) const override;
    std::unique_ptr<FileStorage> storage(Database& db, const FileDecl& decl,
                                         const std::string& schema, const FileName& where) override;
    int removeFile(Database& db, const FileDecl& decl, const FileName& where) override;
    int renameDatabase(Database& db, const std::filesystem::path& from,
                       const std::filesystem::path& to) override;
    void discardDatabase(const std::filesystem::path& database) override;

    // The server's own SQL ($1 parameters), outside the SQLite dialect the data layer writes.
    int execNative(const std::string& sql);
    int queryNative(const std::string& sql, const SqlValues& params, PgResult* out = nullptr);
    PgConnection& connection() { return conn_; }
    // Copies the connection's failure into the shared error state; its code.
    int report();
    // Sets the shared error state to a runtime code of the program's own (0 clears it).
    int failWith(int code, const std::string& why = {});
    // The plain name of a schema as attach() gave it (quoted).
    static std::string plainName(const std::string& schema);
    // Runs `create` (which makes the table) unless the schema's layout table lists `table`
    // already, one station at a time, all in one transaction.
    int createOnce(const std::string& schema, const std::string& table,
                   const std::function<int()>& create);
    // Gives a data file of its own (not open) another file's name: 2 when it is not there, 5
    // when the other name is taken.
    int renameSchema(const std::filesystem::path& from, const std::filesystem::path& to);
    // Whether the server holds a data file's schema.
    int schemaExists(const std::string& plain, bool* exists);

private:
    int connect();
    int succeed();
    int run(const std::string& sql, const SqlValues& params, PgResult* out);
    bool fileLock(const std::string& plain, const char* function, int* code);

    struct Attached {
        std::filesystem::path file;
        std::string plain;
        bool exclusive = false;
    };

    ErrorState& error_;
    std::string conninfo_;
    std::string catalogue_;
    PgConnection conn_;
    std::vector<Attached> attached_;
    std::map<std::string, std::string> translated_;  // the data layer's SQL -> the server's
    int lockWaitMs_ = 2000;
    // A server that did not answer is not asked again at once: each file's open would
    // otherwise wait its whole connect time again.
    ErrorState connectFailure_;
    std::chrono::steady_clock::time_point connectFailedAt_;
    // Rolls the open transaction back, keeping the error that ended it; returns `code`.
    int abandon(int code);
    // A write lock the next guarded statement takes first (see serialised()).
    std::string lockFirst_;
    int64_t lastChanges_ = 0;
    int64_t totalChanges_ = 0;
};

}  // namespace cdz::pg
