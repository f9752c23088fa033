#include "runtime/data/pg/PgResult.h"

#include <libpq-fe.h>

#include <charconv>
#include <string>

namespace cdz::pg {
namespace {

// Type numbers of the server's built-in types (its pg_type catalogue), fixed across versions.
namespace oid {
constexpr Oid kBool = 16;
constexpr Oid kInt8 = 20;
constexpr Oid kInt2 = 21;
constexpr Oid kInt4 = 23;
constexpr Oid kOid = 26;
constexpr Oid kFloat4 = 700;
constexpr Oid kFloat8 = 701;
}  // namespace oid

template <class T>
SqlValue parsed(std::string_view text) {
    T v{};
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    // Values the parser does not take (a real's "Infinity") stay texts rather than turning
    // into a wrong number.
    if (ec != std::errc() || end != text.data() + text.size()) return std::string(text);
    return v;
}

}  // namespace

PgResult& PgResult::operator=(PgResult&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
}

pg_result* PgResult::release() {
    pg_result* r = result_;
    result_ = nullptr;
    return r;
}

void PgResult::reset(pg_result* result) {
    if (result_) PQclear(result_);
    result_ = result;
}

std::string_view PgResult::sqlstate() const {
    const char* s = result_ ? PQresultErrorField(result_, PG_DIAG_SQLSTATE) : nullptr;
    return s ? s : "";
}

std::string_view PgResult::message() const {
    const char* s = result_ ? PQresultErrorField(result_, PG_DIAG_MESSAGE_PRIMARY) : nullptr;
    if (!s && result_) s = PQresultErrorMessage(result_);
    return s ? s : "";
}

bool PgResult::ok() const {
    if (!result_) return false;
    const auto status = PQresultStatus(result_);
    return status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK;
}

int PgResult::rows() const {
    return result_ ? PQntuples(result_) : 0;
}

int64_t PgResult::affected() const {
    const char* n = result_ ? PQcmdTuples(result_) : nullptr;
    const SqlValue v = parsed<int64_t>(n ? n : "");
    return std::holds_alternative<int64_t>(v) ? std::get<int64_t>(v) : 0;
}

int PgResult::columns() const {
    return result_ ? PQnfields(result_) : 0;
}

bool PgResult::isNull(int row, int column) const {
    return PQgetisnull(result_, row, column) != 0;
}

std::string_view PgResult::text(int row, int column) const {
    return {PQgetvalue(result_, row, column),
            static_cast<size_t>(PQgetlength(result_, row, column))};
}

SqlValue PgResult::value(int row, int column) const {
    if (isNull(row, column)) return {};
    const std::string_view t = text(row, column);
    switch (PQftype(result_, column)) {
        case oid::kInt2:
        case oid::kInt4:
        case oid::kInt8:
        case oid::kOid:
            return parsed<int64_t>(t);
        case oid::kFloat4:
        case oid::kFloat8:
            return parsed<double>(t);
        case oid::kBool:
            return int64_t{t == "t" ? 1 : 0};
        default:
            return std::string(t);
    }
}

SqlValues PgResult::row(int r) const {
    SqlValues out;
    for (int c = 0; c < columns(); ++c) out.push_back(value(r, c));
    return out;
}

}  // namespace cdz::pg
