// The record cursor of a data file: reads by key and record number, the keyset-paged walk
// forward and back, and the position a record can be found again by.
#include "runtime/data/DataFile.h"

#include "runtime/data/KeyWhere.h"
#include "runtime/data/Position.h"
#include "runtime/data/RecordCodec.h"

namespace cdz {
namespace {

// Rows fetched ahead by a quick scan (a whole-file pass: on a server, each fetch is an
// exchange); a plain walk reads one at a time.
constexpr int kReadAhead = 256;

}  // namespace

bool DataFile::takeRow(const ResultRow& row, int firstColumn) {
    bool ok = RecordCodec::readRecord(row, firstColumn, decl_, record_, &recno_, &revision_,
                                      cipher_.get());
    watched_ = watchNext_;
    watchNext_ = false;
    return ok;
}

bool DataFile::loadRow(const SqlValues& row, int firstColumn) {
    size_t c = static_cast<size_t>(firstColumn);
    if (isNull(row[c])) {
        clearBuffer();
        recno_ = 0;
        watched_ = watchNext_ = false;
        return true;
    }
    recno_ = std::get<int64_t>(row[c]);
    revision_ = std::get<int64_t>(row[c + 1]);
    c += 2;
    bool ok = true;
    for (const auto& f : decl_.columns()) {
        if (cipher_) {
            SqlValue v = row[c++];
            ok = RecordCodec::open(v, cipher_.get()) && ok;
            f.assign(record_, v);
        } else {
            f.assign(record_, row[c++]);
        }
    }
    watched_ = watchNext_;
    watchNext_ = false;
    return ok;
}

SqlValue DataFile::stored(int column, SqlValue value) const {
    return RecordCodec::seal(decl_, column, std::move(value), cipher_.get());
}

int DataFile::readOne(const std::string& whereSql, const SqlValues& params) {
    if (int code = requireOpen()) return code;
    Statement stmt =
        db_.statement("SELECT " + sql_.selectList() + " FROM " + sql_.ref() + " WHERE " + whereSql +
                      " ORDER BY " + TableSql::kRecno + " LIMIT 1");
    if (!stmt) return db_.error().code;
    int p = 1;
    for (const auto& v : params) RecordCodec::bind(stmt, p++, v);
    StepResult rc = stmt.step();
    bool opened = !rc.row() || takeRow(stmt, 0);
    return !opened     ? damaged()
           : rc.row()  ? db_.succeed()
           : rc.done() ? db_.fail(err::kRecordNotFound)
                       : db_.failStep(rc);
}

int DataFile::get(int key) {
    if (key < 0 || key >= static_cast<int>(decl_.keys().size())) {
        return db_.fail(err::kInvalidKeyLength);
    }
    const auto& k = decl_.keys()[static_cast<size_t>(key)];
    return readOne(whereKeyEquals(sql_, k),
                   RecordCodec::keyValues(decl_, k, record_, cipher_.get()));
}

int DataFile::getRecord(int64_t recno) {
    return readOne(std::string(TableSql::kRecno) + " = ?", {recno});
}

int DataFile::reget(std::string_view position) {
    auto pos = Position::decode(position);
    if (!pos || pos->recno <= 0) return db_.fail(err::kRecordNotFound);
    return getRecord(pos->recno);
}

KeysetQuery DataFile::queryFor(int key) const {
    std::vector<OrderTerm> terms;
    if (key >= 0) {
        const auto& k = decl_.keys()[static_cast<size_t>(key)];
        for (size_t c = 0; c < k.components.size(); ++c) {
            terms.push_back({sql_.keyColumn(k, static_cast<int>(c)), false});
        }
    }
    return KeysetQuery(sql_.selectList(), sql_.ref(), std::move(terms), TableSql::kRecno);
}

int DataFile::set(int key) {
    if (int code = requireOpen()) return code;
    if (key >= static_cast<int>(decl_.keys().size())) return db_.fail(err::kInvalidKeyLength);
    cursor_ = Cursor{};
    cursor_.key = key;
    return db_.succeed();
}

int DataFile::setAt(int key) {
    if (int code = set(key)) return code;
    if (key >= 0) {
        cursor_.bound =
            KeysetBound{RecordCodec::keyValues(decl_, decl_.keys()[static_cast<size_t>(key)],
                                               record_, cipher_.get()),
                        std::nullopt, false};
    }
    return 0;
}

int DataFile::reset(int key, std::string_view position) {
    if (int code = set(key)) return code;
    auto pos = Position::decode(position);
    if (!pos) return db_.fail(err::kRecordNotFound);
    cursor_.bound = KeysetBound{pos->values, pos->recno, true};
    return 0;
}

int DataFile::next() {
    return step(true);
}
int DataFile::previous() {
    return step(false);
}

int DataFile::step(bool forward) {
    if (int code = requireOpen()) return code;
    KeysetQuery q = queryFor(cursor_.key);
    auto takeAhead = [&](const SqlValues& row) {
        KeysetBound b;
        for (int i = 0; i < q.termCount(); ++i) b.values.push_back(row[static_cast<size_t>(i)]);
        b.recno = std::get<int64_t>(row[static_cast<size_t>(q.recnoColumn())]);
        cursor_.bound = std::move(b);
        return loadRow(row, q.firstSelectColumn());
    };
    if (!cursor_.ahead.empty() && cursor_.aheadForward == forward) {
        SqlValues row = std::move(cursor_.ahead.front());
        cursor_.ahead.erase(cursor_.ahead.begin());
        return takeAhead(row) ? db_.succeed() : damaged();
    }
    cursor_.ahead.clear();
    cursor_.aheadForward = forward;
    const int width = q.firstSelectColumn() + sql_.selectWidth();
    std::vector<SqlValues> rows;
    int code = q.fetch(db_, forward, cursor_.bound, quickScan_ ? kReadAhead : 1,
                       [&](const ResultRow& fetched) {
                           SqlValues row;
                           for (int c = 0; c < width; ++c) {
                               row.push_back(RecordCodec::column(fetched, c));
                           }
                           rows.push_back(std::move(row));
                           return true;
                       });
    if (code) return code;
    if (rows.empty()) return db_.fail(err::kRecordNotAvailable);
    bool opened = takeAhead(rows.front());
    for (size_t i = 1; i < rows.size(); ++i) cursor_.ahead.push_back(std::move(rows[i]));
    return opened ? db_.succeed() : damaged();
}

std::string DataFile::position(int key) const {
    Position p;
    p.recno = recno_;
    if (key >= 0 && key < static_cast<int>(decl_.keys().size())) {
        p.values = RecordCodec::keyValues(decl_, decl_.keys()[static_cast<size_t>(key)], record_,
                                          cipher_.get());
    }
    return p.encode();
}

}  // namespace cdz
