#include "runtime/data/RecordCodec.h"

#include <sqlite3.h>

#include "runtime/text/Unicode.h"

namespace cdz {

void RecordCodec::bind(sqlite3_stmt* stmt, int param, const SqlValue& v) {
    if (const auto* i = std::get_if<int64_t>(&v)) {
        sqlite3_bind_int64(stmt, param, *i);
    } else if (const auto* d = std::get_if<double>(&v)) {
        sqlite3_bind_double(stmt, param, *d);
    } else if (const auto* s = std::get_if<std::string>(&v)) {
        sqlite3_bind_text(stmt, param, s->data(), static_cast<int>(s->size()), SQLITE_TRANSIENT);
    } else {
        sqlite3_bind_null(stmt, param);
    }
}

SqlValue RecordCodec::column(sqlite3_stmt* stmt, int col) {
    switch (sqlite3_column_type(stmt, col)) {
        case SQLITE_INTEGER:
            return static_cast<int64_t>(sqlite3_column_int64(stmt, col));
        case SQLITE_FLOAT:
            return sqlite3_column_double(stmt, col);
        case SQLITE_TEXT:
        case SQLITE_BLOB: {
            const auto* p = static_cast<const char*>(sqlite3_column_blob(stmt, col));
            int n = sqlite3_column_bytes(stmt, col);
            return p ? std::string(p, static_cast<size_t>(n)) : std::string();
        }
        default:
            return SqlValue{};
    }
}

int RecordCodec::bindRecord(sqlite3_stmt* stmt, int param, const FileDecl& decl, const void* record,
                            const KeyDesc* autoKey) {
    const auto& cols = decl.columns();
    int numbered = autoKey ? autoKey->components.back() : -1;
    for (size_t i = 0; i < cols.size(); ++i) {
        if (static_cast<int>(i) == numbered) {
            for (size_t c = 0; c + 1 < autoKey->components.size(); ++c) {
                bind(stmt, param++, keyValue(decl, *autoKey, static_cast<int>(c), record));
            }
        } else {
            bind(stmt, param++, cols[i].value(record));
        }
    }
    for (int i = 0; i < decl.fieldCount(); ++i) {
        if (!decl.needsFolded(i)) continue;
        auto v = cols[static_cast<size_t>(i)].value(record);
        bind(stmt, param++, foldCase(std::get<std::string>(v)));
    }
    return param;
}

void RecordCodec::readRecord(sqlite3_stmt* stmt, int col, const FileDecl& decl, void* record,
                             int64_t* recno, int64_t* revision) {
    if (recno) *recno = sqlite3_column_int64(stmt, col);
    if (revision) *revision = sqlite3_column_int64(stmt, col + 1);
    col += 2;
    for (const auto& f : decl.columns()) f.assign(record, column(stmt, col++));
}

SqlValue RecordCodec::keyValue(const FileDecl& decl, const KeyDesc& key, int component,
                               const void* record) {
    const auto& f =
        decl.columns()[static_cast<size_t>(key.components[static_cast<size_t>(component)])];
    SqlValue v = f.value(record);
    if (key.noCase && f.type == FieldType::String) return foldCase(std::get<std::string>(v));
    return v;
}

SqlValues RecordCodec::keyValues(const FileDecl& decl, const KeyDesc& key, const void* record) {
    SqlValues out;
    for (size_t c = 0; c < key.components.size(); ++c) {
        out.push_back(keyValue(decl, key, static_cast<int>(c), record));
    }
    return out;
}

}  // namespace cdz
