#include "runtime/data/View.h"

#include <algorithm>

#include "runtime/data/Position.h"
#include "runtime/data/RecordCodec.h"
#include "runtime/text/SortKey.h"
#include "runtime/text/Unicode.h"

namespace cdz {
namespace {

// Rows read at once when the program tests each one: many when SQLite has narrowed nothing,
// a few beyond those asked for when it has (most then pass), since every row read costs.
constexpr int kFilteredPage = 64;
constexpr int kNarrowedPage = 8;

}  // namespace

View::View(DataFile& primary) : primary_(primary), sql_(primary) {
    rebuild();
}

const FieldDesc* View::column(std::string_view label, void** record) const {
    int column = -1;
    int source = sql_.findLabel(label, &column);
    if (source < 0) return nullptr;
    if (record) *record = sql_.sources()[static_cast<size_t>(source)].file->record();
    return &sql_.field(source, column);
}

int View::addJoin(DataFile& file, const std::vector<std::pair<std::string, std::string>>& on) {
    Database& db = primary_.database();
    if (!file.isOpen()) return db.fail(err::kFileNotOpen);
    if (!sql_.addJoin(file, on)) return db.fail(err::kInvalidKeyLength);
    return rebuild();
}

int View::setOrder(int key) {
    if (key >= static_cast<int>(primary_.decl().keys().size())) {
        orderFailed_ = ErrorState{};
        orderFailed_->set(err::kInvalidKeyLength, 0, "no key " + std::to_string(key + 1));
        return refused();
    }
    terms_ = keyOrder(sql_, key);
    prefix_ = {};
    prefixTerms_ = 0;
    orderKey_ = key;
    listing_ = false;
    orderFailed_.reset();
    return prepared(&orderFailed_);
}

int View::setOrder(std::string_view list) {
    std::vector<ViewTerm> terms;
    std::string bad;
    if (!parseOrder(list, sql_, &terms, &bad)) {
        orderFailed_ = ErrorState{};
        orderFailed_->set(err::kInvalidKeyLength, 0, "unknown order " + bad);
        return refused();
    }
    terms_ = std::move(terms);
    prefix_ = {};
    prefixTerms_ = 0;
    orderKey_ = -1;
    listing_ = false;
    orderFailed_.reset();
    return prepared(&orderFailed_);
}

int View::setFilter(std::function<bool()> accept, SqlFilter pushDown) {
    // A test the program makes is not in the list's query: a list made under one is made again.
    if (listed_ && (accept_ || accept)) listed_->queryChanged({}, {});
    accept_ = std::move(accept);
    pushDown_ = std::move(pushDown);
    filterFailed_.reset();
    int code = prepared(&filterFailed_);
    if (filterFailed_) {
        // Not kept: a later order is checked with no filter rather than with this one.
        accept_ = nullptr;
        pushDown_ = {};
    }
    return code;
}

int View::refuseFilter(std::string_view why) {
    accept_ = nullptr;
    pushDown_ = {};
    filterFailed_ = ErrorState{};
    filterFailed_->set(err::kInvalidKeyLength, 0, why);
    return refused();
}

int View::refused() const {
    Database& db = primary_.database();
    // The order's failure first: it was the first part of the view to be set.
    if (orderFailed_) return db.fail(orderFailed_->code, 0, orderFailed_->driverText);
    if (filterFailed_) return db.fail(filterFailed_->code, 0, filterFailed_->driverText);
    return 0;
}

int View::prepared(std::optional<ErrorState>* failure) {
    Database& db = primary_.database();
    unplace();
    if (!primary_.isOpen()) return db.fail(err::kFileNotOpen);  // checked when it is open
    if (compose()) {
        *failure = db.error();
        return refused();
    }
    // SQLite compiles the query now, so a condition it cannot run is refused by the set and
    // not by the first read.
    std::vector<std::string> texts{query_.sql(true, false), query_.sql(true, true)};
    if (!probeSql_.empty()) texts.push_back(probeSql_);
    for (const auto& sql : texts) {
        if (!db.statement(sql)) {
            *failure = ErrorState{};
            (*failure)->set(err::kInvalidKeyLength, db.error().driverCode,
                            "the view's query does not compile: " + db.error().driverText);
            return refused();
        }
    }
    if (int code = refused()) return code;
    return db.succeed();
}

void View::unplace() {
    bound_.reset();
    ahead_.clear();
    position_.clear();
    positionRow_.reset();
}

int View::rebuild() {
    unplace();
    if (!primary_.isOpen()) return primary_.database().fail(err::kFileNotOpen);
    if (int code = refused()) return code;
    return compose();
}

int View::setPrefix(int components) {
    SqlFilter prefix;
    prefixTerms_ = std::clamp(components, 0, static_cast<int>(terms_.size()));
    for (int c = 0; c < components && c < static_cast<int>(terms_.size()); ++c) {
        if (!prefix.where.empty()) prefix.where += " AND ";
        prefix.where += terms_[static_cast<size_t>(c)].order.sql + " = ?";
        prefix.params.push_back(termValue(static_cast<size_t>(c)));
    }
    prefix_ = std::move(prefix);
    return compose();
}

int View::compose() {
    Database& db = primary_.database();
    std::string where;
    bool joined = false;
    std::string why;
    if (!sql_.where(pushDown_.where, &where, &joined, &why)) {
        return db.fail(err::kInvalidKeyLength, 0, why);
    }
    params_ = prefix_.params;
    params_.insert(params_.end(), pushDown_.params.begin(), pushDown_.params.end());
    if (!prefix_.where.empty()) {
        where = where.empty() ? prefix_.where : prefix_.where + " AND (" + where + ")";
    }
    std::vector<OrderTerm> order;
    for (const auto& t : terms_) order.push_back(t.order);
    query_ = KeysetQuery(sql_.select(), sql_.from(), std::move(order), ViewSql::recno(), where,
                         params_, prefixTerms_);
    probed_ = false;
    probeSql_ = where.empty() ? std::string() : sql_.probe(where, joined);
    where_ = std::move(where);
    joinedWhere_ = joined;
    if (listing_) listed_->queryChanged(listScanSql(), params_);
    return db.succeed();
}

int View::probe() {
    Database& db = primary_.database();
    StepResult rc;
    {
        Statement stmt = db.statement(probeSql_);
        if (!stmt) return db.error().code;
        int p = 1;
        for (const auto& v : params_) RecordCodec::bind(stmt, p++, v);
        rc = stmt.step();
    }
    if (rc.row()) {
        probed_ = true;
        return db.succeed();
    }
    return rc.done() ? db.fail(err::kRecordNotAvailable) : db.failStep(rc);
}

int View::setStart() {
    if (int code = rebuild()) return code;
    if (listing_) listed_->setStart();
    return 0;
}

int View::setListed(bool on) {
    Database& db = primary_.database();
    if (on && terms_.size() != 1) {
        return db.fail(err::kInvalidKeyLength, 0, "a listed order is one term");
    }
    listing_ = on;
    if (on) {
        // The list made before is kept when the query it was made by comes back (the order
        // and filter set again as they were, as a browse does at every return to its top).
        if (!listed_) listed_ = std::make_unique<ListedOrder>(*this);
        listed_->queryChanged(listScanSql(), params_);
    }
    return rebuild();
}

SqlValue View::termValue(size_t term) const {
    const ViewTerm& t = terms_[term];
    const DataFile& f = *sql_.sources()[static_cast<size_t>(t.source)].file;
    SqlValue v = f.decl().columns()[static_cast<size_t>(t.column)].value(f.record());
    if (t.folded) {
        // A stored copy holds the sort key; an order without one folds in the statement.
        const std::string& text = std::get<std::string>(v);
        v = f.decl().needsFolded(t.column) ? sortKey(text) : foldCase(text);
    }
    return f.stored(t.column, std::move(v));
}

std::string View::listScanSql() const {
    const bool joined = joinedWhere_ || terms_.front().source > 0;
    return sql_.listScan(terms_.front().order.sql, accept_ != nullptr, where_, joined);
}

int View::stepListed(bool forward) {
    int64_t recno = 0;
    if (int code = listed_->step(forward, &recno)) return code;
    positionRow_.reset();
    position_ = Position{{termValue(0)}, recno}.encode();
    return primary_.database().succeed();
}

int View::setAtValues() {
    if (int code = rebuild()) return code;
    if (listing_) {
        listed_->setAt(termValue(0), std::nullopt, false);
        return 0;
    }
    KeysetBound b;
    for (size_t t = 0; t < terms_.size(); ++t) b.values.push_back(termValue(t));
    bound_ = std::move(b);
    return 0;
}

int View::setAtRecord() {
    if (listing_) {
        if (int code = rebuild()) return code;
        listed_->placeEdited(termValue(0), primary_.recordNumber());
        return 0;
    }
    if (int code = setAtValues()) return code;
    bound_->recno = primary_.recordNumber();
    bound_->inclusive = true;
    return 0;
}

int View::reset(std::string_view token) {
    if (int code = rebuild()) return code;
    auto pos = Position::decode(token);
    if (!pos || pos->values.size() != terms_.size()) {
        return primary_.database().fail(err::kRecordNotFound);
    }
    if (listing_) {
        listed_->setAt(pos->values.front(), pos->recno, true);
        return 0;
    }
    bound_ = KeysetBound{pos->values, pos->recno, true};
    return 0;
}

int View::next() {
    return step(true);
}
int View::previous() {
    return step(false);
}

bool View::takeRow(const SqlValues& row, int firstColumn) {
    int c = firstColumn;
    bool ok = true;
    for (const auto& s : sql_.sources()) {
        ok = s.file->loadRow(row, c) && ok;
        c += s.file->sql().selectWidth();
    }
    return ok;
}

int View::step(bool forward) {
    Database& db = primary_.database();
    if (!primary_.isOpen()) return db.fail(err::kFileNotOpen);
    if (int code = refused()) return code;
    if (listing_) return stepListed(forward);
    const int width = query_.firstSelectColumn() + [&] {
        int w = 0;
        for (const auto& s : sql_.sources()) w += s.file->sql().selectWidth();
        return w;
    }();
    // Before reading in key order, where a condition that matches little would be tested
    // record by record through the whole key, SQLite is asked, by whatever way is quickest
    // for it, whether anything matches at all. Only a match is remembered (until the next
    // positioning): a record added meanwhile may match.
    if (!probeSql_.empty() && !probed_) {
        if (int code = probe()) return code;
    }
    for (;;) {
        if (ahead_.exhausted() || ahead_.forward() != forward) {
            settle();
            ahead_.refill(forward);
            int limit = pageSize_;
            if (accept_) {
                limit = std::max(pageSize_, pushDown_.where.empty() && prefix_.where.empty()
                                                ? kFilteredPage
                                                : kNarrowedPage);
            }
            int code = query_.fetch(db, forward, bound_, limit, [&](const ResultRow& fetched) {
                ahead_.append(fetched, width);
                return true;
            });
            if (code) return code;
            if (ahead_.exhausted()) return db.fail(err::kRecordNotAvailable);
        }
        // The bound and the token follow the taken rows lazily (settle()): building them for
        // every row cost more than reading it.
        const SqlValues& row = *ahead_.take();
        if (!takeRow(row, query_.firstSelectColumn())) {
            return db.fail(err::kInvalidDataFile, 0,
                           "the enciphered data of the file does not open");
        }
        if (accept_ && !accept_()) continue;
        positionRow_ = ahead_.indexOf(&row);
        return db.succeed();
    }
}

void View::settle() {
    if (const SqlValues* row = ahead_.last()) {
        KeysetBound b;
        b.values.assign(row->begin(), row->begin() + query_.termCount());
        b.recno = std::get<int64_t>((*row)[static_cast<size_t>(query_.recnoColumn())]);
        bound_ = std::move(b);
    }
    position();  // made now: the row it is made from is about to be overwritten
    ahead_.clear();
}

const std::string& View::position() const {
    if (positionRow_) {
        const SqlValues& row = ahead_.at(*positionRow_);
        Position p;
        p.values.assign(row.begin(), row.begin() + query_.termCount());
        p.recno = std::get<int64_t>(row[static_cast<size_t>(query_.recnoColumn())]);
        position_ = p.encode();
        positionRow_.reset();
    }
    return position_;
}

int View::readRecord(int64_t recno) {
    Database& db = primary_.database();
    if (!primary_.isOpen()) return db.fail(err::kFileNotOpen);
    if (int code = refused()) return code;
    SqlValues row;
    int code;
    {
        Statement stmt = db.statement(sql_.ofRecord(sql_.select(), true));
        if (!stmt) return db.error().code;
        stmt.bindInteger(1, recno);
        StepResult rc = stmt.step();
        if (rc.row()) {
            for (int c = 0; c < stmt.columnCount(); ++c) {
                row.push_back(RecordCodec::column(stmt, c));
            }
        }
        code = rc.row()    ? db.succeed()
               : rc.done() ? db.fail(err::kRecordNotFound)
                           : db.failStep(rc);
    }
    if (code == 0 && !takeRow(row, 0)) {
        return db.fail(err::kInvalidDataFile, 0, "the enciphered data of the file does not open");
    }
    return code;
}

}  // namespace cdz
