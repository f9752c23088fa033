#pragma once
// The SQLite engine: one connection to which each data file is attached while it is open, so
// that a transaction over several files is one atomic commit.
//
// SQLite allows ten attached databases besides `main`; the first file opened becomes `main`, so
// eleven files can be open at once. When the `main` file closes while others stay open, the
// connection is rebuilt around an in-memory `main` (the others keep their schema names), and a
// later file may take `main` over again the same way.
#include <string_view>
#include <unordered_map>

#include "runtime/data/ErrorState.h"
#include "runtime/data/StorageEngine.h"
#include "runtime/data/sqlite/SqliteConnection.h"

namespace cdz {

class SqliteEngine final : public StorageEngine {
public:
    // Failures go into `error`, which must outlive the engine. `vfs` names the SQLite VFS the
    // connection opens its files with (empty: the default).
    SqliteEngine(ErrorState& error, std::string vfs);
    ~SqliteEngine() override;
    SqliteEngine(const SqliteEngine&) = delete;
    SqliteEngine& operator=(const SqliteEngine&) = delete;

    bool connected() const override { return static_cast<bool>(conn_); }
    void setLockWait(int ms) override;

    int admit(const std::filesystem::path& file, bool create, bool recover) override;
    // On failure `schema` stays empty, unless the file was attached all the same.
    int attach(const std::filesystem::path& file, std::string* schema) override;
    int detach(const std::filesystem::path& file) override;
    int setExclusive(const std::string& schema, bool on) override;

    std::shared_ptr<PreparedStatement> prepare(const std::string& sql) override;
    std::shared_ptr<PreparedStatement> prepareOnce(const std::string& sql) override;
    int exec(const std::string& sql) override;
    // Maps the connection's latest failure (SQLite's result code `rc`) onto a runtime code.
    int fail(int rc) override;
    bool transactionOpen() const override;

    int begin() override;
    int lock(const std::vector<std::string>& schemas, int waitMs) override;
    int commit() override;
    int rollback() override;

    int changes() const override;
    int64_t totalChanges() const override;
    int64_t dataVersion(const std::string& schema) override;

    bool has(StorageFeature feature) const override;
    void setLean(bool lean) override;
    std::unique_ptr<FileStorage> storage(Database& db, const FileDecl& decl,
                                         const std::string& schema, const FileName& where) override;
    int removeFile(Database& db, const FileDecl& decl, const FileName& where) override;
    int renameDatabase(Database& db, const std::filesystem::path& from,
                       const std::filesystem::path& to) override;
    void discardDatabase(const std::filesystem::path& database) override;

    // The connection itself, for the few uses that need SQLite as such.
    sqlite3* handle() const { return conn_.get(); }

private:
    struct Attached {
        std::filesystem::path file;
        std::string schema;
        bool exclusive = false;
    };

    int setError(int runtimeCode, int driverCode = 0, std::string_view driverText = {});
    int succeed() {
        error_.clear();
        return 0;
    }
    int openConnection(const std::filesystem::path& mainFile);
    void closeConnection();
    // Reopens the connection with another `main` (a file, or "" for an in-memory one) and
    // attaches every other file again under its schema name.
    int rebuild(const std::filesystem::path& mainFile);
    void finalizeStatements();
    std::string freeSchemaName() const;
    int lockSchema(const std::string& schema);
    int tune(const Attached& file, bool openedNow);

    ErrorState& error_;
    std::string vfs_;
    int lockWaitMs_ = 2000;
    SqliteConnection conn_;
    std::vector<Attached> attached_;  // includes the file that is `main`, if any
    bool lean_ = false;
    // Shared with the scopes in use, so a statement outlives a rebuilt connection's cache
    // until its scope ends.
    std::unordered_map<std::string, std::shared_ptr<PreparedStatement>> statements_;
};

}  // namespace cdz
