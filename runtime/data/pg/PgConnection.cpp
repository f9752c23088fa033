#include "runtime/data/pg/PgConnection.h"

#include <libpq-fe.h>
#include <poll.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <vector>

#include "runtime/data/pg/PgDialect.h"
#include "runtime/data/pg/PgErrors.h"

namespace cdz::pg {
namespace {

constexpr int kDefaultLockWaitMs = 2000;
// The server's own state for a character its texts cannot hold.
constexpr std::string_view kNulInText = "22021";

// The server's number of its text type (its pg_type catalogue).
constexpr Oid kTextType = 25;

// Whether `sql` names parameter `n` ($n not followed by another digit).
bool names(std::string_view sql, int n) {
    const std::string mark = "$" + std::to_string(n);
    for (size_t at = sql.find(mark); at != std::string_view::npos; at = sql.find(mark, at + 1)) {
        const size_t end = at + mark.size();
        if (end >= sql.size() || !std::isdigit(static_cast<unsigned char>(sql[end]))) return true;
    }
    return false;
}

// The program's own short statements: settings and the transaction's bounds. A server that
// leaves one unanswered is given no longer than the connection's own wait.
bool isShort(std::string_view sql) {
    for (std::string_view head : {"BEGIN", "COMMIT", "ROLLBACK", "SAVEPOINT", "RELEASE", "SET "})
        if (sql.substr(0, head.size()) == head) return true;
    return false;
}

// The seconds the connection was given to answer (its connect_timeout), as the short
// statements' wait.
int answerSeconds(pg_conn* conn) {
    int seconds = PgConnection::kConnectSeconds;
    PQconninfoOption* options = PQconninfo(conn);
    for (PQconninfoOption* o = options; o && o->keyword; ++o) {
        if (std::string_view(o->keyword) != "connect_timeout" || !o->val) continue;
        const std::string_view v = o->val;
        int read = 0;
        if (std::from_chars(v.data(), v.data() + v.size(), read).ec == std::errc() && read > 0)
            seconds = std::max(read, 2);  // as the client library reads it: never below 2
    }
    PQconninfoFree(options);
    return seconds;
}

// Sends `sql` and waits for all of its answer, at most the connection's wait (`seconds` is
// set to it); false when the wait ran out (the exchange is then unfinished and the connection
// of no further use). `last` holds the last statement's result, as PQexec would return it.
// The wait is looked up only when the answer is slow: most answers come within the first
// second, and BEGIN and COMMIT run for every transaction.
bool execWithin(pg_conn* conn, const std::string& sql, int& seconds, PgResult& last) {
    using Clock = std::chrono::steady_clock;
    if (PQsendQuery(conn, sql.c_str()) != 1) return true;
    const auto began = Clock::now();
    auto deadline = began + std::chrono::seconds(1);
    bool waitKnown = false;
    while (PQisBusy(conn)) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0 && !waitKnown) {
            seconds = answerSeconds(conn);
            deadline = began + std::chrono::seconds(seconds);
            waitKnown = true;
            continue;
        }
        if (left.count() <= 0) return false;
        pollfd wait{PQsocket(conn), POLLIN, 0};
        const int ready = ::poll(&wait, 1, static_cast<int>(left.count()));
        if (ready < 0 && errno != EINTR) break;
        if (ready > 0 && PQconsumeInput(conn) != 1) break;
    }
    while (pg_result* r = PQgetResult(conn)) last.reset(r);
    return true;
}

// The server's notices (an index name it shortened, a schema that already exists) are not
// the program's business; errors come back in results.
void dropNotice(void*, const char*) {}

}  // namespace

std::string PgConnection::addressFault(const std::string& conninfo) {
    char* why = nullptr;
    PQconninfoOption* options = PQconninfoParse(conninfo.c_str(), &why);
    std::string fault;
    if (!options) fault = why ? why : "out of memory";
    while (!fault.empty() && (fault.back() == '\n' || fault.back() == ' ')) fault.pop_back();
    PQconninfoFree(options);
    PQfreemem(why);
    return fault;
}

std::vector<std::string> PgConnection::secretsIn(const std::string& conninfo) {
    std::vector<std::string> found;
    PQconninfoOption* options = PQconninfoParse(conninfo.c_str(), nullptr);
    for (PQconninfoOption* o = options; o && o->keyword; ++o) {
        const std::string_view key = o->keyword;
        if ((key == "password" || key == "sslpassword") && o->val && *o->val)
            found.emplace_back(key);
    }
    PQconninfoFree(options);
    return found;
}

int PgConnection::open(const std::string& conninfo) {
    close();
    timedOut_ = false;
    if (std::string fault = addressFault(conninfo); !fault.empty())
        return failFrom(error_, {}, "the server's address cannot be read: " + fault);
    // The address comes after the default wait, so that a connect_timeout it sets wins.
    const std::string seconds = std::to_string(kConnectSeconds);
    const char* const keys[] = {"connect_timeout", "dbname", nullptr};
    const char* const values[] = {seconds.c_str(), conninfo.c_str(), nullptr};
    const auto began = std::chrono::steady_clock::now();
    conn_ = PQconnectdbParams(keys, values, 1);
    if (!conn_ || PQstatus(conn_) != CONNECTION_OK) {
        std::string why = conn_ ? PQerrorMessage(conn_) : "out of memory";
        const auto waited = std::chrono::steady_clock::now() - began;
        timedOut_ = why.find("timeout expired") != std::string::npos;
        if (timedOut_)
            why = "the server did not answer within " +
                  std::to_string(std::chrono::round<std::chrono::seconds>(waited).count()) +
                  " seconds";
        close();
        return failFrom(error_, {}, why);
    }
    PQsetNoticeProcessor(conn_, dropNotice, nullptr);
    // Texts travel as UTF-8 whatever the server's or the station's setting.
    if (PQsetClientEncoding(conn_, "UTF8") != 0) {
        const std::string why = PQerrorMessage(conn_);
        close();
        return failFrom(error_, {}, why);
    }
    // SQLite's IFNULL and instr, by their names, where the catalogue created them.
    if (int code = exec(PgDialect::searchPath())) {
        close();
        return code;
    }
    if (int code = setLockWait(kDefaultLockWaitMs)) {
        close();
        return code;
    }
    error_.clear();
    return 0;
}

void PgConnection::close() {
    copyLine_.reset();
    copying_ = Copying::None;
    if (conn_) PQfinish(conn_);
    conn_ = nullptr;
    prepared_.clear();
}

int PgConnection::finish(PgResult& result) {
    if (result.ok()) {
        error_.clear();
        return 0;
    }
    // Without a result or a state the connection itself failed; its message says why.
    if (!result || result.sqlstate().empty()) {
        std::string why(result.message());
        if (why.empty() && conn_) why = PQerrorMessage(conn_);
        return failFrom(error_, {}, why);
    }
    return failFrom(error_, result.sqlstate(), result.message());
}

int PgConnection::exec(const std::string& sql) {
    if (!conn_) {
        error_.set(err::kFileNotOpen);
        return error_.code;
    }
    if (!isShort(sql)) {
        PgResult result(PQexec(conn_, sql.c_str()));
        return finish(result);
    }
    int seconds = 0;
    PgResult result;
    if (!execWithin(conn_, sql, seconds, result)) {
        // Its answer may still come: the connection cannot be trusted with another statement.
        close();
        timedOut_ = true;
        return failFrom(error_, {},
                        "the server did not answer within " + std::to_string(seconds) + " seconds");
    }
    return finish(result);
}

bool PgConnection::paramValues(const SqlValues& params, std::vector<std::string>& texts,
                               std::vector<const char*>& values) {
    texts.clear();
    values.clear();
    for (const auto& p : params) {
        texts.push_back(paramText(p));
        // Parameters travel as C strings: the server would store the text cut at the NUL.
        if (texts.back().find('\0') != std::string::npos) {
            failFrom(error_, kNulInText, "a text holds a NUL byte, which the server cannot store");
            return false;
        }
    }
    for (size_t i = 0; i < params.size(); ++i) {
        values.push_back(isNull(params[i]) ? nullptr : texts[i].c_str());
    }
    return true;
}

int PgConnection::query(const std::string& sql, const SqlValues& params, PgResult* out) {
    if (!conn_) {
        error_.set(err::kFileNotOpen);
        return error_.code;
    }
    std::vector<std::string> texts;
    std::vector<const char*> values;
    if (!paramValues(params, texts, values)) return error_.code;
    // A parameter the text never names has no type the server could infer (SQLite lets it
    // be); it is sent as a text.
    std::vector<Oid> types;
    for (size_t i = 0; i < params.size(); ++i) {
        if (names(sql, static_cast<int>(i) + 1)) continue;
        types.resize(params.size(), 0);
        types[i] = kTextType;
    }
    PgResult result(PQexecParams(conn_, sql.c_str(), static_cast<int>(values.size()),
                                 types.empty() ? nullptr : types.data(), values.data(), nullptr,
                                 nullptr, 0));
    const int code = finish(result);
    if (out) *out = std::move(result);
    return code;
}

int PgConnection::prepare(const std::string& sql) {
    if (!conn_) {
        error_.set(err::kFileNotOpen);
        return error_.code;
    }
    if (prepared_.count(sql)) {
        error_.clear();
        return 0;
    }
    // Parameters up to the highest the text names; those it skips are texts (see query()).
    int highest = 0;
    for (size_t at = sql.find('$'); at != std::string::npos; at = sql.find('$', at + 1)) {
        int n = 0;
        for (size_t i = at + 1; i < sql.size() && std::isdigit(static_cast<unsigned char>(sql[i]));
             ++i) {
            n = n * 10 + (sql[i] - '0');
            if (n > 65535) break;
        }
        highest = std::max(highest, n);
    }
    std::vector<Oid> types(static_cast<size_t>(highest), 0);
    for (int n = 1; n <= highest; ++n) {
        if (!names(sql, n)) types[static_cast<size_t>(n - 1)] = kTextType;
    }
    const std::string name = "cdz_" + std::to_string(prepared_.size() + 1);
    PgResult result(PQprepare(conn_, name.c_str(), sql.c_str(), highest,
                              types.empty() ? nullptr : types.data()));
    if (int code = finish(result)) return code;
    prepared_.emplace(sql, Prepared{name, highest});
    return 0;
}

const PgConnection::Prepared* PgConnection::preparedWith(const std::string& sql,
                                                         const SqlValues& params,
                                                         std::vector<std::string>& texts,
                                                         std::vector<const char*>& values) {
    if (prepare(sql) || !paramValues(params, texts, values)) return nullptr;
    const Prepared& statement = prepared_.at(sql);
    // Parameters never bound are NULL, as in SQLite.
    values.resize(static_cast<size_t>(statement.params), nullptr);
    return &statement;
}

int PgConnection::runPrepared(const std::string& sql, const SqlValues& params, PgResult* out) {
    std::vector<std::string> texts;
    std::vector<const char*> values;
    const Prepared* statement = preparedWith(sql, params, texts, values);
    if (!statement) return error_.code;
    PgResult result(PQexecPrepared(conn_, statement->name.c_str(), static_cast<int>(values.size()),
                                   values.data(), nullptr, nullptr, 0));
    const int code = finish(result);
    if (out) *out = std::move(result);
    return code;
}

int PgConnection::runGuarded(const std::string& sql, const SqlValues& params, PgResult* out,
                             const std::string& first) {
    std::vector<std::string> texts;
    std::vector<const char*> values;
    const Prepared* found = preparedWith(sql, params, texts, values);
    if (!found) return error_.code;
    const Prepared& statement = *found;
    if (PQenterPipelineMode(conn_) != 1) return failFrom(error_, {}, PQerrorMessage(conn_));
    auto plain = [this](const std::string& text) {
        return PQsendQueryParams(conn_, text.c_str(), 0, nullptr, nullptr, nullptr, nullptr, 0) ==
               1;
    };
    const bool sent =
        plain("SAVEPOINT cdz_w") && (first.empty() || plain(first)) &&
        PQsendQueryPrepared(conn_, statement.name.c_str(), static_cast<int>(values.size()),
                            values.data(), nullptr, nullptr, 0) == 1 &&
        plain("RELEASE SAVEPOINT cdz_w") && PQpipelineSync(conn_) == 1;
    // Each statement's result, then the end of the exchange: the savepoint, `first` (when
    // sent), the statement, the release.
    std::vector<PgResult> results(first.empty() ? 3 : 4);
    for (auto& r : results) {
        if (!sent) break;
        r.reset(PQgetResult(conn_));
        while (pg_result* more = PQgetResult(conn_)) PQclear(more);
    }
    if (sent) {
        while (pg_result* end = PQgetResult(conn_)) {
            const bool synced = PQresultStatus(end) == PGRES_PIPELINE_SYNC;
            PQclear(end);
            if (synced) break;
        }
    }
    PQexitPipelineMode(conn_);
    PgResult& result = results[results.size() - 2];
    int code = 0;
    if (!sent) {
        code = failFrom(error_, {}, PQerrorMessage(conn_));
    } else if ((code = finish(results[0])) == 0) {
        for (size_t i = 1; i + 1 < results.size() && code == 0; ++i) code = finish(results[i]);
        if (code) {
            // A statement failed: its savepoint undoes it and the transaction goes on.
            cleanUp("ROLLBACK TO SAVEPOINT cdz_w; RELEASE SAVEPOINT cdz_w");
        } else {
            code = finish(results.back());
        }
    }
    if (out) *out = std::move(result);
    return code;
}

int PgConnection::setLockWait(int ms) {
    if (ms < 0) ms = 0;
    // The shortest wait the server knows: a lock held by another fails at once.
    if (int code = exec("SET lock_timeout = " + std::to_string(serverLockWait(ms)))) return code;
    lockWaitMs_ = ms;
    return 0;
}

bool PgConnection::inTransaction() const {
    if (!conn_) return false;
    const auto status = PQtransactionStatus(conn_);
    return status == PQTRANS_INTRANS || status == PQTRANS_INERROR || status == PQTRANS_ACTIVE;
}

bool PgConnection::transactionFailed() const {
    return conn_ && PQtransactionStatus(conn_) == PQTRANS_INERROR;
}

int PgConnection::cleanUp(const std::string& sql) {
    const ErrorState failure = error_;
    exec(sql);
    error_ = failure;
    return error_.code;
}

int PgConnection::fail(int code) {
    error_.set(code);
    return code;
}

int PgConnection::commit() {
    if (!inTransaction()) return fail(err::kTransactionFailed);
    if (transactionFailed()) {
        exec("ROLLBACK");
        return fail(err::kTransactionFailed);
    }
    return exec("COMMIT");
}

int PgConnection::failAs(int code) {
    error_.code = code;
    error_.text = errorText(code);
    return code;
}

void PgConnection::FreeMem::operator()(char* memory) const {
    PQfreemem(memory);
}

int PgConnection::beginCopy(const std::string& sql) {
    if (!conn_) {
        error_.set(err::kFileNotOpen);
        return error_.code;
    }
    PgResult result(PQexec(conn_, sql.c_str()));
    const auto status = result ? PQresultStatus(result.get()) : PGRES_FATAL_ERROR;
    if (status == PGRES_COPY_IN || status == PGRES_COPY_OUT) {
        copying_ = status == PGRES_COPY_IN ? Copying::In : Copying::Out;
        error_.clear();
        return 0;
    }
    if (result.ok()) return fail(err::kDriverError);  // not a COPY at all
    return finish(result);
}

int PgConnection::putCopy(std::string_view data) {
    if (copying_ != Copying::In) return fail(err::kFileNotOpen);
    if (PQputCopyData(conn_, data.data(), static_cast<int>(data.size())) == 1) return 0;
    return failFrom(error_, {}, PQerrorMessage(conn_));
}

int PgConnection::copyOutcome(int64_t* rows) {
    copying_ = Copying::None;
    PgResult result(PQgetResult(conn_));
    // Nothing may follow the copy's own result; a second one would be read by the next call.
    while (pg_result* more = PQgetResult(conn_)) PQclear(more);
    if (rows) *rows = result.ok() ? result.affected() : 0;
    return finish(result);
}

int PgConnection::endCopyIn(const char* failure, int64_t* rows) {
    if (copying_ != Copying::In) return fail(err::kFileNotOpen);
    if (PQputCopyEnd(conn_, failure) != 1) {
        copying_ = Copying::None;
        const int code = failFrom(error_, {}, PQerrorMessage(conn_));
        while (pg_result* more = PQgetResult(conn_)) PQclear(more);
        return code;
    }
    return copyOutcome(rows);
}

int PgConnection::getCopy(std::string_view* line) {
    if (copying_ != Copying::Out) return fail(err::kFileNotOpen);
    char* buffer = nullptr;
    const int got = PQgetCopyData(conn_, &buffer, 0);
    copyLine_.reset(buffer);
    if (got > 0) {
        // A text row comes with its newline.
        const size_t size = static_cast<size_t>(got);
        *line = std::string_view(buffer, buffer[size - 1] == '\n' ? size - 1 : size);
        return 1;
    }
    if (got == -1) return copyOutcome(nullptr);
    copying_ = Copying::None;
    const int code = failFrom(error_, {}, PQerrorMessage(conn_));
    while (pg_result* more = PQgetResult(conn_)) PQclear(more);
    return code;
}

void PgConnection::abandonCopy() {
    if (copying_ == Copying::In) {
        // Its failure is the point: the copy's transaction must not commit.
        const ErrorState kept = error_;
        endCopyIn("the copy was abandoned");
        error_ = kept;
        return;
    }
    if (copying_ != Copying::Out) return;
    copying_ = Copying::None;
    // The server is asked to stop sending; what it sent meanwhile is read and dropped.
    if (PGcancel* cancel = PQgetCancel(conn_)) {
        char why[256];
        PQcancel(cancel, why, sizeof why);
        PQfreeCancel(cancel);
    }
    char* buffer = nullptr;
    while (PQgetCopyData(conn_, &buffer, 0) > 0) PQfreemem(buffer);
    while (pg_result* more = PQgetResult(conn_)) PQclear(more);
}

std::string PgConnection::paramText(const SqlValue& v) {
    if (const auto* i = std::get_if<int64_t>(&v)) return std::to_string(*i);
    if (const auto* d = std::get_if<double>(&v)) {
        char buf[32];
        const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, *d);
        return ec == std::errc() ? std::string(buf, end) : std::string();
    }
    if (const auto* s = std::get_if<std::string>(&v)) return *s;
    return {};
}

}  // namespace cdz::pg
