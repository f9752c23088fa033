#pragma once
// What a storage engine does under the Database: it opens the data files, prepares and runs
// statements, takes the files' locks for a transaction, and maps its own failure codes onto
// the runtime's. The Database keeps what every engine shares: the error state, the use
// counts, the transaction and stream flags and the lock wait.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "runtime/data/PreparedStatement.h"

namespace cdz {

class Database;
class FileDecl;
class FileStorage;
struct FileName;

// What a storage engine can do beyond what every engine does, as callers ask it (the way a
// database driver tells its features), so that no caller asks which engine it is.
enum class StorageFeature {
    // Each database is a file of the data folder: whether it is there shows without opening it,
    // and an example file can be made beside it.
    FilesInFolder,
    // A damaged file's records are salvaged from its pages by the repair program; where this is
    // not so, the storage keeps its records whole itself.
    PageSalvage,
    // A whole catalogue is copied in one transaction (tables are made inside it).
    OneTransactionCopy,
    // Statements run the program's own UPPER and LOWER, so filters over them can be pushed down.
    OwnCaseFunctions,
    // A whole file's records are written in one stream (DataFile's bulk adds), its keys made
    // once after the records are in.
    BulkCopy,
};

class StorageEngine {
public:
    virtual ~StorageEngine() = default;

    // Whether a connection is open (some file is attached).
    virtual bool connected() const = 0;
    // How long an ordinary operation waits for another station's lock (milliseconds).
    virtual void setLockWait(int ms) = 0;

    // Checks that a file not yet attached may be: a missing file fails with 2 unless
    // `create`; a file an interrupted transaction left behind fails unless `recover`.
    virtual int admit(const std::filesystem::path& file, bool create, bool recover) = 0;
    // Attaches a file not yet attached and gives its schema name; returns the runtime code.
    virtual int attach(const std::filesystem::path& file, std::string* schema) = 0;
    // Detaches a file, its last use gone.
    virtual int detach(const std::filesystem::path& file) = 0;
    // Holds (or gives up) an exclusive lock on an attached file.
    virtual int setExclusive(const std::string& schema, bool on) = 0;

    // A statement from the engine's cache; null, with the error state set, when it does not
    // prepare.
    virtual std::shared_ptr<PreparedStatement> prepare(const std::string& sql) = 0;
    // The same, prepared for one use alone.
    virtual std::shared_ptr<PreparedStatement> prepareOnce(const std::string& sql) = 0;
    // Runs SQL without results; returns the runtime code.
    virtual int exec(const std::string& sql) = 0;
    // Sets the error state from the engine's own failure code; returns the runtime code.
    virtual int fail(int engineCode) = 0;
    // Whether the connection has a transaction open, whoever began it.
    virtual bool transactionOpen() const = 0;

    virtual int begin() = 0;
    // Takes the write locks of the files (in the order given), each waiting at most `waitMs`;
    // a wait that runs out fails with 32.
    virtual int lock(const std::vector<std::string>& schemas, int waitMs) = 0;
    virtual int commit() = 0;
    virtual int rollback() = 0;
    // Runs `work` (an add that numbers a key from the highest number so far) holding the
    // file's write lock, so that two stations never give the same number; returns its code.
    virtual int serialised(const std::string& schema, const std::function<int()>& work) {
        (void)schema;
        return work();
    }

    // Rows changed by the last insert, update or delete that ran.
    virtual int changes() const = 0;
    // Rows this connection has changed since it opened.
    virtual int64_t totalChanges() const = 0;
    // The change counter of an attached file, moved by every other connection's commit to it;
    // -1 when it cannot be read.
    virtual int64_t dataVersion(const std::string& schema) = 0;

    virtual bool has(StorageFeature feature) const = 0;
    // Whether the connection keeps only a small cache of each file's pages, for passes that read
    // a whole file once (a server keeps its own memory: nothing to do there).
    virtual void setLean(bool lean) { (void)lean; }
    // The storage of an attached file, its table in `schema`.
    virtual std::unique_ptr<FileStorage> storage(Database& db, const FileDecl& decl,
                                                 const std::string& schema,
                                                 const FileName& where) = 0;
    // Removes a data file that is not open: its table, and its database once nothing else is
    // kept there. 2 when it is not there.
    virtual int removeFile(Database& db, const FileDecl& decl, const FileName& where) = 0;
    // Gives a data file of its own (not attached) another name: 2 when it is not there, 5 when
    // the new name is taken.
    virtual int renameDatabase(Database& db, const std::filesystem::path& from,
                               const std::filesystem::path& to) = 0;
    // Takes away what a failed first making of a database left behind.
    virtual void discardDatabase(const std::filesystem::path& database) = 0;
};

}  // namespace cdz
