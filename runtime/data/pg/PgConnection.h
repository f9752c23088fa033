#pragma once
// Owns one connection to a PostgreSQL server and runs statements on it with their parameters
// apart from the text ($1, $2, ...), so that no value is ever spliced into SQL. Every call
// leaves its outcome in the connection's error state, with the runtime's codes.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "runtime/data/ErrorState.h"
#include "runtime/data/SqlValue.h"
#include "runtime/data/pg/PgResult.h"

struct pg_conn;

namespace cdz::pg {

class PgConnection {
public:
    PgConnection() = default;
    ~PgConnection() { close(); }
    PgConnection(const PgConnection&) = delete;
    PgConnection& operator=(const PgConnection&) = delete;

    // Connects with a libpq connection string ("host=/run/cdz dbname=music"); 0, or 90 with
    // the server's (or the client library's) words as the driver text. The lock wait starts
    // at the runtime's two seconds.
    // The server is given kConnectSeconds to answer unless the address sets connect_timeout.
    int open(const std::string& conninfo);
    void close();
    // Whether the server did not answer in time: the open, or a short statement (BEGIN...).
    bool timedOut() const { return timedOut_; }

    static constexpr int kConnectSeconds = 10;
    // Reads a server address as the client library does: "" when it reads, else why not.
    static std::string addressFault(const std::string& conninfo);
    // The address's password keywords that hold a value ("password", "sslpassword"), in any
    // of its forms: the keyword list, the URL's user:secret@ and its ?password=.
    static std::vector<std::string> secretsIn(const std::string& conninfo);
    bool isOpen() const { return conn_ != nullptr; }
    pg_conn* get() const { return conn_; }

    const ErrorState& error() const { return error_; }

    // Runs statements without parameters (several, separated by semicolons, run as one).
    int exec(const std::string& sql);
    // Runs one statement with its parameters ($1 is params[0]); rows land in `out` when given.
    // A text holding a NUL byte is refused (90, state 22021) rather than stored cut short.
    int query(const std::string& sql, const SqlValues& params, PgResult* out = nullptr);
    // Has the server parse and plan `sql` once for this connection (again only after the
    // connection is opened anew): 0, or the failure of a text the server cannot run.
    int prepare(const std::string& sql);
    // Runs `sql` as prepare() left it (preparing it first when it has not been).
    int runPrepared(const std::string& sql, const SqlValues& params, PgResult* out = nullptr);
    // The same inside the open transaction, under a savepoint of its own sent with it in one
    // exchange with the server: a failure undoes this statement alone and the transaction
    // goes on, as in SQLite. `first` (no parameters, its rows left unread) runs under the
    // same savepoint just before it, in the same exchange, with a view of its own.
    int runGuarded(const std::string& sql, const SqlValues& params, PgResult* out = nullptr,
                   const std::string& first = {});

    // COPY, the server's bulk path. `sql` is a COPY ... FROM STDIN or TO STDOUT: 0 once the
    // server waits for rows or sends them. In, putCopy() sends rows (whole lines or parts of
    // them) and endCopyIn() ends it, with `failure` the server refuses the copy in those words
    // (null: it ends well and `rows` receives the rows copied). Out, each getCopy() gives one
    // line: 1 with a line, 0 at the end (the copy's outcome checked), else the failure's code.
    // A copy left unfinished is ended by abandonCopy() (a copy in refused, so its transaction
    // can only roll back; a copy out's rows thrown away); with none going on it does nothing.
    int beginCopy(const std::string& sql);
    int putCopy(std::string_view data);
    int endCopyIn(const char* failure, int64_t* rows = nullptr);
    int getCopy(std::string_view* line);
    void abandonCopy();

    // How long a statement waits for another station's lock before it fails with 32
    // (milliseconds). 0 means not at all, as for the SQLite files; the server's own 0 would
    // wait for ever.
    int setLockWait(int ms);
    int lockWait() const { return lockWaitMs_; }
    // A lock wait as the server's lock_timeout in milliseconds: 0 becomes its shortest wait.
    static int serverLockWait(int ms) { return ms <= 0 ? 1 : ms; }

    // A transaction is open (also one that a failure aborted, which can only roll back).
    bool inTransaction() const;
    bool transactionFailed() const;
    // Runs the statements that clean up after a failure (a rollback) and keeps that failure
    // as the connection's error, so it is reported with its own cause; returns its code.
    int cleanUp(const std::string& sql);
    // Reports the last failure with another runtime code, keeping the server's state and words.
    int failAs(int code);
    // A failure of the runtime's own, with no server state.
    int fail(int code);
    // Commits the open transaction. One that a failure aborted is rolled back and reported as
    // 48: the server would answer its COMMIT with a rollback and no error.
    int commit();

    // A parameter as the server reads it in text form: integers and reals exactly (a real in
    // its shortest form that reads back the same), texts unchanged.
    static std::string paramText(const SqlValue& v);

private:
    int finish(PgResult& result);
    // The parameters' texts (`texts` keeps them) as the client library takes them; false when
    // one cannot travel.
    bool paramValues(const SqlValues& params, std::vector<std::string>& texts,
                     std::vector<const char*>& values);
    struct Prepared;
    // prepare() and paramValues() together, the values padded to the statement's parameters;
    // null with the error state set when either fails.
    const Prepared* preparedWith(const std::string& sql, const SqlValues& params,
                                 std::vector<std::string>& texts, std::vector<const char*>& values);

    // The statement's outcome after a copy's last row.
    int copyOutcome(int64_t* rows);

    pg_conn* conn_ = nullptr;
    bool timedOut_ = false;
    struct FreeMem {
        void operator()(char* memory) const;
    };
    std::unique_ptr<char, FreeMem> copyLine_;  // the line getCopy() gave last
    enum class Copying { None, In, Out };
    Copying copying_ = Copying::None;
    ErrorState error_;
    struct Prepared {
        std::string name;
        int params = 0;  // as many as the text names
    };
    std::unordered_map<std::string, Prepared> prepared_;  // by text
    int lockWaitMs_ = 0;
};

}  // namespace cdz::pg
