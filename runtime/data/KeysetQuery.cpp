#include "runtime/data/KeysetQuery.h"

#include <algorithm>
#include <limits>

#include "runtime/data/Database.h"
#include "runtime/data/RecordCodec.h"

namespace cdz {

KeysetQuery::KeysetQuery(std::string select, std::string from, std::vector<OrderTerm> terms,
                         std::string recnoSql, std::string filter, SqlValues filterParams,
                         int fixedTerms)
    : select_(std::move(select)),
      from_(std::move(from)),
      terms_(std::move(terms)),
      recno_(std::move(recnoSql)),
      filter_(std::move(filter)),
      filterParams_(std::move(filterParams)),
      fixedTerms_(static_cast<size_t>(std::max(0, fixedTerms))) {
    fixedTerms_ = std::min(fixedTerms_, terms_.size());
}

std::string KeysetQuery::sql(bool forward, bool bounded) const {
    std::string sql = "SELECT ";
    for (const auto& t : terms_) sql += t.sql + ", ";
    sql += recno_ + ", " + select_ + " FROM " + from_;
    std::vector<std::string> where;
    if (!filter_.empty()) where.push_back("(" + filter_ + ")");
    // Bound values are numbered after the filter's parameters.
    const int base = static_cast<int>(filterParams_.size());
    auto param = [&](size_t i) {
        std::string p = "?";  // appended: see Database::freeSchemaName
        return p += std::to_string(base + 1 + static_cast<int>(i));
    };
    const size_t n = terms_.size();
    if (bounded) {
        bool uniform = true;
        for (const auto& t : terms_) uniform = uniform && !t.descending;
        if (uniform) {
            std::string lhs = "(", rhs = "(";
            for (size_t i = fixedTerms_; i <= n; ++i) {
                lhs += (i > fixedTerms_ ? ", " : "") + (i < n ? terms_[i].sql : recno_);
                rhs += (i > fixedTerms_ ? ", " : "") + param(i);
            }
            where.push_back(lhs + ") " + (forward ? ">" : "<") + " " + rhs + ")");
        } else {
            // Mixed directions: the lexicographic comparison spelled out.
            std::string any;
            for (size_t i = fixedTerms_; i <= n; ++i) {
                std::string clause;
                for (size_t j = fixedTerms_; j < i; ++j) {
                    clause += terms_[j].sql + " = " + param(j) + " AND ";
                }
                bool ascending = i == n || !terms_[i].descending;
                const char* op = ascending == forward ? " > " : " < ";
                clause += (i < n ? terms_[i].sql : recno_) + op + param(i);
                any += (i > fixedTerms_ ? " OR (" : "(") + clause + ")";
            }
            where.push_back("(" + any + ")");
        }
    }
    for (size_t i = 0; i < where.size(); ++i) sql += (i ? " AND " : " WHERE ") + where[i];
    sql += " ORDER BY ";
    for (const auto& t : terms_) {
        sql += t.sql + ((t.descending == forward) ? " DESC, " : ", ");
    }
    sql += recno_ + (forward ? "" : " DESC");
    sql += " LIMIT ?" + std::to_string(base + (bounded ? static_cast<int>(n) + 2 : 1));
    return sql;
}

int KeysetQuery::fetch(Database& db, bool forward, const std::optional<KeysetBound>& bound,
                       int limit, const std::function<bool(const ResultRow&)>& row) const {
    // A finished read holds no lock: the scope resets the statement on every way out.
    Statement stmt = db.statement(sql(forward, bound.has_value()));
    if (!stmt) return db.error().code;
    int p = 1;
    for (const auto& v : filterParams_) RecordCodec::bind(stmt, p++, v);
    if (bound) {
        for (size_t i = 0; i < terms_.size(); ++i) {
            RecordCodec::bind(stmt, p++, i < bound->values.size() ? bound->values[i] : SqlValue{});
        }
        int64_t recno = 0;
        if (!bound->recno) {
            recno =
                forward ? std::numeric_limits<int64_t>::min() : std::numeric_limits<int64_t>::max();
        } else {
            recno = *bound->recno;
            if (bound->inclusive) recno += forward ? -1 : 1;
        }
        stmt.bindInteger(p++, recno);
    }
    stmt.bindInteger(p, limit);
    StepResult rc;
    while ((rc = stmt.step()).row()) {
        if (!row(stmt)) {
            rc = {StepResult::Kind::Done};
            break;
        }
    }
    return rc.done() ? db.succeed() : db.failStep(rc);
}

KeysetBound KeysetQuery::boundOf(const ResultRow& row) const {
    KeysetBound b;
    for (int i = 0; i < termCount(); ++i) b.values.push_back(RecordCodec::column(row, i));
    b.recno = row.integer(recnoColumn());
    return b;
}

}  // namespace cdz
