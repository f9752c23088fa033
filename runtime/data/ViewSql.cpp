#include "runtime/data/ViewSql.h"

namespace cdz {

bool ViewSql::addJoin(DataFile& file, const std::vector<std::pair<std::string, std::string>>& on) {
    std::string alias = "t";  // appended: see Database::freeSchemaName
    alias += std::to_string(sources_.size());
    Source src{&file, std::move(alias), {}, -1};
    for (const auto& [parentLabel, childLabel] : on) {
        int parentColumn = -1;
        int parent = findLabel(parentLabel, &parentColumn);
        int childColumn = file.decl().columnIndex(childLabel);
        if (parent < 0 || childColumn < 0 || (src.parent >= 0 && parent != src.parent)) {
            return false;
        }
        src.parent = parent;
        src.on.emplace_back(parentColumn, childColumn);
    }
    if (src.on.empty()) return false;
    sources_.push_back(std::move(src));
    return true;
}

int ViewSql::findLabel(std::string_view label, int* column) const {
    for (size_t s = 0; s < sources_.size(); ++s) {
        int c = sources_[s].file->decl().columnIndex(label);
        if (c >= 0) {
            *column = c;
            return static_cast<int>(s);
        }
    }
    return -1;
}

const FieldDesc& ViewSql::field(int source, int column) const {
    const FileDecl& decl = sources_[static_cast<size_t>(source)].file->decl();
    return decl.columns()[static_cast<size_t>(column)];
}

std::string ViewSql::column(int source, int column) const {
    const Source& s = sources_[static_cast<size_t>(source)];
    return s.file->sql().column(column, s.alias);
}

std::string ViewSql::value(int source, int column, bool folded) const {
    const Source& s = sources_[static_cast<size_t>(source)];
    std::string sql = this->column(source, column);
    if (folded) {
        sql = s.file->decl().needsFolded(column)
                  ? s.alias + "." + Database::quote(field(source, column).name + "__fold")
                  : "cdz_fold(" + sql + ")";
    }
    if (source == 0) return sql;
    // A record with nothing joined has its place in the order, and meets a condition, as its
    // cleared buffer would.
    const bool text = folded || field(source, column).isText();
    return "IFNULL(" + sql + (text ? ", '')" : ", 0)");
}

bool ViewSql::where(std::string_view condition, std::string* sql, bool* joined,
                    std::string* why) const {
    while (!condition.empty()) {
        auto open = condition.find('{');
        *sql += condition.substr(0, open);
        if (open == std::string_view::npos) break;
        auto close = condition.find('}', open);
        if (close == std::string_view::npos) {
            *why = "unclosed label in the filter";
            return false;
        }
        std::string_view label = condition.substr(open + 1, close - open - 1);
        // "{~LABEL}": the column's case-folded copy, the one a case-blind key's index holds.
        const bool folded = label.starts_with('~');
        if (folded) label.remove_prefix(1);
        int column = -1;
        int source = findLabel(label, &column);
        if (source < 0) {
            *why = "unknown label " + std::string(label) + " in the filter";
            return false;
        }
        *sql += value(source, column, folded);
        if (source > 0) *joined = true;
        condition.remove_prefix(close + 1);
    }
    return true;
}

std::string ViewSql::select() const {
    std::string sql;
    for (size_t i = 0; i < sources_.size(); ++i) {
        sql += (i ? ", " : "") + sources_[i].file->sql().selectList(sources_[i].alias);
    }
    return sql;
}

std::string ViewSql::from(bool joined) const {
    std::string sql = sources_.front().file->sql().ref() + " AS t0";
    if (!joined) return sql;
    for (size_t i = 1; i < sources_.size(); ++i) {
        const auto& s = sources_[i];
        const auto& t = s.file->sql();
        // The first match only, so every primary record appears once.
        std::string match = "(SELECT " + std::string(TableSql::kRecno) + " FROM " + t.ref();
        for (size_t k = 0; k < s.on.size(); ++k) {
            match += (k ? " AND " : " WHERE ") + t.column(s.on[k].second) + " = " +
                     column(s.parent, s.on[k].first);
        }
        match += " ORDER BY " + std::string(TableSql::kRecno) + " LIMIT 1)";
        sql += " LEFT JOIN " + t.ref() + " AS " + s.alias + " ON " + s.alias + "." +
               TableSql::kRecno + " = " + match;
    }
    return sql;
}

std::string ViewSql::recno() {
    return std::string("t0.") + TableSql::kRecno;
}

std::string ViewSql::probe(const std::string& where, bool joined) const {
    return "SELECT 1 FROM " + from(joined) + " WHERE " + where + " LIMIT 1";
}

std::string ViewSql::listScan(const std::string& term, bool withRows, const std::string& where,
                              bool joined) const {
    std::string sql = "SELECT " + recno() + ", " + term;
    if (withRows) sql += ", " + select();
    sql += " FROM " + from(joined || withRows);
    if (!where.empty()) sql += " WHERE " + where;
    return sql;
}

std::string ViewSql::ofRecord(const std::string& list, bool joined) const {
    return "SELECT " + list + " FROM " + from(joined) + " WHERE " + recno() + " = ?";
}

}  // namespace cdz
