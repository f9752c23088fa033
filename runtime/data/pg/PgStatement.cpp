#include "runtime/data/pg/PgStatement.h"

#include <libpq-fe.h>

#include <charconv>
#include <cmath>
#include <limits>

#include "runtime/data/pg/PgConnection.h"

namespace cdz::pg {
namespace {

// Type numbers of the server's built-in types (its pg_type catalogue), fixed across versions.
ColumnType typeOf(Oid oid) {
    switch (oid) {
        case 16:  // bool
        case 20:  // int8
        case 21:  // int2
        case 23:  // int4
        case 26:  // oid
            return ColumnType::Integer;
        case 700:   // float4
        case 701:   // float8
        case 1700:  // numeric
            return ColumnType::Real;
        default:
            return ColumnType::Text;
    }
}

double toReal(std::string_view t) {
    double v = 0;
    const auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), v);
    return ec == std::errc() ? v : 0.0;
}

// A real as an integer the way SQLite converts one: towards zero, saturated at the ends.
int64_t realToInteger(double d) {
    if (std::isnan(d)) return 0;
    if (d >= 9223372036854775807.0) return std::numeric_limits<int64_t>::max();
    if (d <= -9223372036854775808.0) return std::numeric_limits<int64_t>::min();
    return static_cast<int64_t>(d);
}

}  // namespace

PgStatement::PgStatement(PgConnection& conn, std::string sql, Runner runner)
    : conn_(&conn), sql_(std::move(sql)), runner_(std::move(runner)) {}

const ErrorState& PgStatement::error() const {
    return conn_->error();
}

StepResult PgStatement::step() {
    const StepResult failed{Step::Failed, conn_->error().code};
    switch (state_) {
        case State::Failed:
            return failed;
        case State::Done:
            return {Step::Done};
        case State::Rows:
            break;
        case State::Ready: {
            result_.reset();
            types_.clear();
            booleans_.clear();
            // Parameters never bound are NULL, as in SQLite.
            const int code =
                runner_ ? runner_(sql_, params_, &result_) : conn_->query(sql_, params_, &result_);
            if (code != 0) {
                state_ = State::Failed;
                return {Step::Failed, conn_->error().code};
            }
            for (int c = 0; c < result_.columns(); ++c) {
                const Oid oid = PQftype(result_.get(), c);
                types_.push_back(typeOf(oid));
                booleans_.push_back(oid == 16);
            }
            state_ = State::Rows;
            row_ = -1;
            break;
        }
    }
    if (++row_ < result_.rows()) return {Step::Row};
    state_ = State::Done;
    return {Step::Done};
}

void PgStatement::reset() {
    // The count of changes stays readable until the statement runs again.
    state_ = State::Ready;
    row_ = -1;
    params_.clear();
}

void PgStatement::bind(int param, SqlValue v) {
    if (param < 1) return;
    const auto at = static_cast<size_t>(param);
    if (params_.size() < at) params_.resize(at);
    params_[at - 1] = std::move(v);
}

void PgStatement::bindInteger(int param, int64_t value) {
    bind(param, value);
}

void PgStatement::bindReal(int param, double value) {
    bind(param, value);
}

void PgStatement::bindText(int param, std::string_view value, bool) {
    bind(param, std::string(value));
}

void PgStatement::bindNull(int param) {
    bind(param, SqlValue{});
}

int PgStatement::columnCount() const {
    return static_cast<int>(types_.size());
}

ColumnType PgStatement::columnType(int column) const {
    if (state_ != State::Rows || column < 0 || column >= columnCount()) return ColumnType::Null;
    if (result_.isNull(row_, column)) return ColumnType::Null;
    return types_[static_cast<size_t>(column)];
}

int64_t PgStatement::integer(int column) const {
    const ColumnType type = columnType(column);
    if (type == ColumnType::Null) return 0;
    const std::string_view t = result_.text(row_, column);
    if (booleans_[static_cast<size_t>(column)]) return t == "t" ? 1 : 0;
    int64_t v = 0;
    const auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), v);
    if (ec == std::errc() && end == t.data() + t.size()) return v;
    return realToInteger(toReal(t));
}

double PgStatement::real(int column) const {
    const ColumnType type = columnType(column);
    if (type == ColumnType::Null) return 0;
    if (booleans_[static_cast<size_t>(column)]) return static_cast<double>(integer(column));
    return toReal(result_.text(row_, column));
}

std::string_view PgStatement::text(int column) const {
    if (columnType(column) == ColumnType::Null) return {};
    return result_.text(row_, column);
}

}  // namespace cdz::pg
