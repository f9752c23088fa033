#include "runtime/data/ListedOrder.h"

#include "runtime/data/Database.h"
#include "runtime/data/RecordCodec.h"
#include "runtime/data/View.h"

namespace cdz {

void ListedOrder::queryChanged(const std::string& scanSql, const SqlValues& params) {
    const bool descending = !view_.terms_.empty() && view_.terms_.front().order.descending;
    if (made_ && scanSql == scanSql_ && params == params_ && descending == list_.descending()) {
        return;
    }
    made_ = false;
    list_.clear();
    pending_ = Seek{};  // a view whose query changed reads from its start
    scanSql_ = scanSql;
    params_ = params;
}

// The files' change counters: SQLite's data version of each file the view reads (changed by
// another connection's commit) and this connection's own count of changed rows.
std::vector<int64_t> ListedOrder::stamp() const {
    Database& db = view_.database();
    std::vector<int64_t> s{db.totalChanges()};
    for (const auto& source : view_.sql_.sources())
        s.push_back(db.dataVersion(source.file->sql().schema()));
    return s;
}

int ListedOrder::ensureList() {
    if (made_ && stamp() == stamp_) return 0;
    return makeList();
}

int ListedOrder::makeList() {
    Database& db = view_.database();
    if (scanSql_.empty()) scanSql_ = view_.listScanSql(), params_ = view_.params_;
    made_ = false;
    StepResult rc{StepResult::Kind::Done};
    bool broken = false;
    {
        // One scan of the whole file: kept in the cache, it would stay there long after.
        const LeanPass lean(db);
        Statement stmt = db.statement(scanSql_);
        if (!stmt) return db.error().code;
        int p = 1;
        for (const auto& v : params_) RecordCodec::bind(stmt, p++, v);
        const bool tested = view_.accept_ != nullptr;
        SqlValues row;
        list_.build(
            [&](int64_t* recno, SqlValue* value) {
                for (;;) {
                    rc = stmt.step();
                    if (!rc.row()) return false;
                    *recno = stmt.integer(0);
                    *value = RecordCodec::column(stmt, 1);
                    if (!tested) return true;
                    row.clear();
                    // Known once the statement has run (the server's statements describe
                    // their rows only then).
                    const int width = stmt.columnCount();
                    for (int c = 2; c < width; ++c) row.push_back(RecordCodec::column(stmt, c));
                    if (!view_.takeRow(row, 0)) {
                        broken = true;
                        return false;
                    }
                    if (view_.accept_()) return true;
                }
            },
            view_.terms_.front().order.descending);
    }
    if (broken) {
        return db.fail(err::kInvalidDataFile, 0, "the enciphered data of the file does not open");
    }
    if (!rc.done()) return db.failStep(rc);
    made_ = true;
    stamp_ = stamp();
    return db.succeed();
}

int ListedOrder::valueOf(int64_t recno, SqlValue* value, bool* found) {
    Database& db = view_.database();
    const bool joined = view_.terms_.front().source > 0;
    Statement stmt = db.statement(view_.sql_.ofRecord(view_.terms_.front().order.sql, joined));
    if (!stmt) return db.error().code;
    stmt.bindInteger(1, recno);
    const StepResult rc = stmt.step();
    *found = rc.row();
    if (rc.row()) *value = RecordCodec::column(stmt, 0);
    return rc.row() || rc.done() ? 0 : db.failStep(rc);
}

int ListedOrder::lowerBound(const SqlValue& value, int64_t recno, size_t* index) {
    size_t lo = 0, hi = list_.size();
    while (lo < hi) {
        const size_t mid = lo + (hi - lo) / 2;
        SqlValue v;
        bool found = false;
        if (int code = valueOf(list_.at(mid), &v, &found)) return code;
        // A record deleted since the list was made has no value: it is passed over, so the
        // search goes on as if it were the record after it.
        if (!found || list_.before(v, list_.at(mid), value, recno)) {
            lo = mid + 1;
        } else {
            hi = mid;
        }
    }
    *index = lo;
    return 0;
}

void ListedOrder::setStart() {
    pending_ = Seek{};
}

void ListedOrder::setAt(const SqlValue& value, std::optional<int64_t> recno, bool inclusive) {
    pending_ = Seek{Seek::Kind::At, value, recno, inclusive};
}

void ListedOrder::placeEdited(const SqlValue& value, int64_t recno) {
    pending_ = Seek{Seek::Kind::Edited, value, recno, true};
}

int ListedOrder::settle() {
    if (!pending_) return 0;
    const Seek seek = std::move(*pending_);
    pending_.reset();
    // The change counters moved by an edit made here: a list already made is mended, not
    // made again.
    const bool mend = seek.kind == Seek::Kind::Edited && made_;
    if (int code = mend ? 0 : ensureList()) return code;
    size_t at = 0;
    switch (seek.kind) {
        case Seek::Kind::Start:
            forward_ = 0;
            backward_ = static_cast<int64_t>(list_.size()) - 1;
            return 0;
        case Seek::Kind::Edited:
            if (mend) {
                if (auto i = list_.find(*seek.recno)) list_.erase(*i);
                if (int code = lowerBound(seek.value, *seek.recno, &at)) return code;
                list_.insert(at, *seek.recno);
                stamp_ = stamp();
                forward_ = at;
                backward_ = static_cast<int64_t>(at);
                return 0;
            }
            break;  // a list made now holds the record as it is
        case Seek::Kind::At:
            break;
    }
    if (seek.recno) {
        if (auto i = list_.find(*seek.recno)) {
            forward_ = seek.inclusive ? *i : *i + 1;
            backward_ = static_cast<int64_t>(*i) - (seek.inclusive ? 0 : 1);
            return 0;
        }
    }
    // Without a record number every record of the value comes first.
    if (int code = lowerBound(seek.value, seek.recno.value_or(INT64_MIN), &at)) return code;
    forward_ = at;
    backward_ = static_cast<int64_t>(at) - 1;
    return 0;
}

std::optional<double> ListedOrder::fraction(int64_t recno) const {
    const auto i = list_.find(recno);
    if (!i) return std::nullopt;
    return list_.size() < 2 ? 0.0 : static_cast<double>(*i) / static_cast<double>(list_.size() - 1);
}

int ListedOrder::step(bool forward, int64_t* recno) {
    Database& db = view_.database();
    if (int code = settle()) return code;
    for (;;) {
        int64_t at = forward ? static_cast<int64_t>(forward_) : backward_;
        if (at < 0 || at >= static_cast<int64_t>(list_.size())) {
            return db.fail(err::kRecordNotAvailable);
        }
        const int64_t r = list_.at(static_cast<size_t>(at));
        forward_ = static_cast<size_t>(at) + 1;
        backward_ = at - 1;
        const int code = view_.readRecord(r);
        if (code == err::kRecordNotFound) continue;  // deleted since the list was made
        if (code) return code;
        if (view_.accept_ && !view_.accept_()) continue;  // changed since
        *recno = r;
        return 0;
    }
}

}  // namespace cdz
