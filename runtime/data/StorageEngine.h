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
};

}  // namespace cdz
