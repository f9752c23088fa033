#include "runtime/data/RecordRanks.h"

#include "runtime/data/RecordCodec.h"

namespace cdz {

int RecordRanks::whereSql(std::string* where) const {
    Database& db = file_.database();
    std::string_view text = condition_.where;
    while (!text.empty()) {
        const auto open = text.find('{');
        *where += text.substr(0, open);
        if (open == std::string_view::npos) break;
        const auto close = text.find('}', open);
        if (close == std::string_view::npos) {
            return db.fail(err::kInvalidKeyLength, 0, "unclosed label in the condition");
        }
        const std::string_view label = text.substr(open + 1, close - open - 1);
        const int column = file_.decl().columnIndex(label);
        if (column < 0) {
            return db.fail(err::kInvalidKeyLength, 0,
                           "unknown label " + std::string(label) + " in the condition");
        }
        *where += file_.sql().column(column);
        text.remove_prefix(close + 1);
    }
    return 0;
}

int RecordRanks::setCondition(SqlFilter condition) {
    Database& db = file_.database();
    condition_ = {};
    if (condition.where.empty()) return db.succeed();
    if (file_.decl().encrypted()) {
        return db.fail(err::kInvalidKeyLength, 0, "an enciphered file takes no condition");
    }
    condition_ = std::move(condition);
    std::string where;
    if (int code = whereSql(&where)) {
        condition_ = {};
        return code;
    }
    if (!file_.isOpen()) return db.fail(err::kFileNotOpen);
    if (!db.statement("SELECT 1 FROM " + file_.sql().ref() + " WHERE " + where)) {
        const std::string why = db.error().driverText;
        condition_ = {};
        return db.fail(err::kInvalidKeyLength, 0, "the condition does not compile: " + why);
    }
    return db.succeed();
}

int RecordRanks::count(int64_t* n) {
    Database& db = file_.database();
    *n = 0;
    if (!file_.isOpen()) return db.fail(err::kFileNotOpen);
    if (condition_.where.empty()) {
        *n = file_.records();
        return db.error().code;
    }
    std::string where;
    if (int code = whereSql(&where)) return code;
    Statement stmt = db.statement("SELECT count(*) FROM " + file_.sql().ref() + " WHERE " + where);
    if (!stmt) return db.error().code;
    int p = 1;
    for (const auto& v : condition_.params) RecordCodec::bind(stmt, p++, v);
    const StepResult rc = stmt.step();
    if (!rc.row()) return db.failStep(rc);
    *n = stmt.integer(0);
    return db.succeed();
}

int RecordRanks::unbroken(bool* yes, int64_t* first) {
    Database& db = file_.database();
    *yes = false;
    if (!condition_.where.empty() || key_ != kRecordOrder) return db.succeed();
    const std::string recno = TableSql::kRecno;
    Statement stmt =
        db.statement("SELECT min(" + recno + "), max(" + recno + ") FROM " + file_.sql().ref());
    if (!stmt) return db.error().code;
    const StepResult rc = stmt.step();
    if (!rc.row()) return db.failStep(rc);
    const int64_t low = stmt.integer(0);
    const int64_t high = stmt.integer(1);
    stmt.release();
    const int64_t records = file_.records();
    if (db.error().code) return db.error().code;
    *yes = records > 0 && high - low + 1 == records;
    *first = low;
    return db.succeed();
}

int RecordRanks::recordNumbers(const std::vector<int64_t>& ranks, std::vector<int64_t>* recnos) {
    Database& db = file_.database();
    recnos->assign(ranks.size(), 0);
    if (!file_.isOpen()) return db.fail(err::kFileNotOpen);
    if (ranks.empty()) return db.succeed();
    bool direct = false;
    int64_t first = 0;
    if (int code = unbroken(&direct, &first)) return code;
    if (direct) {
        const int64_t records = file_.records();
        for (size_t i = 0; i < ranks.size(); ++i)
            if (ranks[i] >= 1 && ranks[i] <= records) (*recnos)[i] = first + ranks[i] - 1;
        return db.succeed();
    }
    Statement stmt = rankedStatement();
    if (!stmt) return db.error().code;
    int64_t rank = 0;
    for (size_t i = 0; i < ranks.size();) {
        const StepResult rc = stmt.step();
        if (rc.done()) break;
        if (!rc.row()) return db.failStep(rc);
        ++rank;
        while (i < ranks.size() && ranks[i] <= rank) {
            if (ranks[i] == rank) (*recnos)[i] = stmt.integer(0);
            ++i;
        }
    }
    return db.succeed();
}

Statement RecordRanks::rankedStatement() {
    Database& db = file_.database();
    std::string where;
    if (whereSql(&where) != 0) return {};
    const std::string recno = TableSql::kRecno;
    std::string order;
    if (key_ >= 0 && key_ < static_cast<int>(file_.decl().keys().size())) {
        const KeyDesc& key = file_.decl().keys()[static_cast<size_t>(key_)];
        for (size_t c = 0; c < key.components.size(); ++c)
            order += file_.sql().keyColumn(key, static_cast<int>(c)) + ", ";
    }
    Statement stmt =
        db.statement("SELECT " + recno + " FROM " + file_.sql().ref() +
                     (where.empty() ? "" : " WHERE " + where) + " ORDER BY " + order + recno);
    if (!stmt) return stmt;
    int p = 1;
    for (const auto& v : condition_.params) RecordCodec::bind(stmt, p++, v);
    return stmt;
}

int RecordRanks::all(std::vector<int64_t>* recnos) {
    Database& db = file_.database();
    recnos->clear();
    if (!file_.isOpen()) return db.fail(err::kFileNotOpen);
    Statement stmt = rankedStatement();
    if (!stmt) return db.error().code;
    for (;;) {
        const StepResult rc = stmt.step();
        if (rc.done()) break;
        if (!rc.row()) return db.failStep(rc);
        recnos->push_back(stmt.integer(0));
    }
    return db.succeed();
}

}  // namespace cdz
