#include "runtime/data/KeyLookup.h"

#include <algorithm>
#include <iterator>
#include <map>

#include "runtime/data/FileStorage.h"
#include "runtime/data/KeyWhere.h"
#include "runtime/data/RecordCodec.h"
#include "runtime/data/Statement.h"
#include "runtime/text/SortKey.h"

namespace cdz {
namespace {

// Key values one statement asks for at most: both engines take thousands of parameters. The
// server plans a statement of this size again each time it runs (about 1 ms, as long as it
// takes to run), which still beats an exchange for each value.
constexpr size_t kKeysPerStatement = 256;
constexpr size_t kNarrowest = 4;

}  // namespace

bool KeyLookup::saves() const {
    if (!file_.isOpen()) return false;
    Database& db = file_.database();
    const FileName where = FileName::resolve(file_.name(), db.folder(), file_.decl().label());
    return FileStorage::of(db, file_.decl(), file_.sql().schema(), where)->exchanges();
}

SqlValues KeyLookup::valuesInBuffer() const {
    const FileDecl& decl = file_.decl();
    const KeyDesc& key = decl.keys()[static_cast<size_t>(key_)];
    SqlValues out;
    for (int column : key.components) {
        const FieldDesc& field = decl.columns()[static_cast<size_t>(column)];
        SqlValue v = field.value(file_.record());
        if (key.noCase && field.type == FieldType::String) v = sortKey(std::get<std::string>(v));
        out.push_back(file_.stored(column, std::move(v)));
    }
    return out;
}

int KeyLookup::find(const std::vector<SqlValues>& values,
                    const std::function<void(size_t)>& found) {
    Database& db = file_.database();
    if (!file_.isOpen()) return db.fail(err::kFileNotOpen);
    if (key_ < 0 || key_ >= static_cast<int>(file_.decl().keys().size())) {
        return db.fail(err::kInvalidKeyLength);
    }
    const KeyDesc& key = file_.decl().keys()[static_cast<size_t>(key_)];
    const TableSql& sql = file_.sql();
    const int components = static_cast<int>(key.components.size());
    // The key's stored values lead each row, so that a row is matched to what was asked as the
    // storage compared them.
    std::string select = "SELECT ";
    for (int c = 0; c < components; ++c) select += sql.keyColumn(key, c) + ", ";
    select += sql.selectList() + " FROM " + sql.ref() + " WHERE ";
    const std::string equals = "(" + whereKeyEquals(sql, key) + ")";
    // Each value once, whatever number of times it was asked.
    std::map<SqlValues, std::vector<size_t>> asked;
    for (size_t i = 0; i < values.size(); ++i) asked[values[i]].push_back(i);
    SqlValues row;
    for (auto from = asked.begin(); from != asked.end();) {
        auto to = from;
        size_t count = 0;
        for (; to != asked.end() && count < kKeysPerStatement; ++to) ++count;
        // A few widths of statement, the last value asked again to fill one: each is prepared
        // once and kept, instead of a text for every count.
        size_t width = kNarrowest;
        while (width < count) width = std::min(width * 4, kKeysPerStatement);
        std::string where = equals;
        for (size_t n = 1; n < width; ++n) where += " OR " + equals;
        Statement stmt =
            db.statement(select + where + " ORDER BY " + std::string(TableSql::kRecno));
        if (!stmt) return db.error().code;
        int p = 1;
        for (auto it = from; it != to; ++it) {
            for (const auto& v : it->first) RecordCodec::bind(stmt, p++, v);
        }
        for (size_t n = count; n < width; ++n) {
            for (const auto& v : std::prev(to)->first) RecordCodec::bind(stmt, p++, v);
        }
        std::map<SqlValues, std::vector<size_t>> open(std::make_move_iterator(from),
                                                      std::make_move_iterator(to));
        from = to;
        StepResult rc = stmt.step();
        // Rows come in record order: the first of a key's values answers it, as get() would.
        for (; rc.row(); rc = stmt.step()) {
            row.resize(static_cast<size_t>(stmt.columnCount()));
            for (int c = 0; c < stmt.columnCount(); ++c) {
                RecordCodec::readColumn(stmt, c, &row[static_cast<size_t>(c)]);
            }
            const auto answered = open.find(SqlValues(row.begin(), row.begin() + components));
            if (answered == open.end()) continue;
            if (!file_.loadRow(row, components)) {
                return db.fail(err::kInvalidDataFile, 0,
                               "the enciphered data of the file does not open");
            }
            for (size_t i : answered->second) found(i);
            open.erase(answered);
        }
        if (!rc.done()) return db.failStep(rc);
    }
    return db.succeed();
}

}  // namespace cdz
