#include "runtime/data/PgConnection.h"

#include <libpq-fe.h>

#include <charconv>
#include <vector>

#include "runtime/data/PgDialect.h"
#include "runtime/data/PgErrors.h"

namespace cdz::pg {
namespace {

constexpr int kDefaultLockWaitMs = 2000;
// The server's own state for a character its texts cannot hold.
constexpr std::string_view kNulInText = "22021";

// The server's notices (an index name it shortened, a schema that already exists) are not
// the program's business; errors come back in results.
void dropNotice(void*, const char*) {}

}  // namespace

int PgConnection::open(const std::string& conninfo) {
    close();
    conn_ = PQconnectdb(conninfo.c_str());
    if (!conn_ || PQstatus(conn_) != CONNECTION_OK) {
        const std::string why = conn_ ? PQerrorMessage(conn_) : "out of memory";
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
    if (conn_) PQfinish(conn_);
    conn_ = nullptr;
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
    PgResult result(PQexec(conn_, sql.c_str()));
    return finish(result);
}

int PgConnection::query(const std::string& sql, const SqlValues& params, PgResult* out) {
    if (!conn_) {
        error_.set(err::kFileNotOpen);
        return error_.code;
    }
    std::vector<std::string> texts;
    for (const auto& p : params) {
        texts.push_back(paramText(p));
        // Parameters travel as C strings: the server would store the text cut at the NUL.
        if (texts.back().find('\0') != std::string::npos) {
            return failFrom(error_, kNulInText,
                            "a text holds a NUL byte, which the server cannot store");
        }
    }
    std::vector<const char*> values;
    for (size_t i = 0; i < params.size(); ++i) {
        values.push_back(isNull(params[i]) ? nullptr : texts[i].c_str());
    }
    PgResult result(PQexecParams(conn_, sql.c_str(), static_cast<int>(values.size()), nullptr,
                                 values.data(), nullptr, nullptr, 0));
    const int code = finish(result);
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
