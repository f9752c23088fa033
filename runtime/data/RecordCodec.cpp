#include "runtime/data/RecordCodec.h"

#include <sqlite3.h>

#include "runtime/data/FileCipher.h"
#include "runtime/text/Text.h"
#include "runtime/text/Unicode.h"

namespace cdz {
namespace {

bool isKeyComponent(const FileDecl& decl, int column) {
    for (const auto& k : decl.keys()) {
        for (int c : k.components) {
            if (c == column) return true;
        }
    }
    return false;
}

// Binds a field straight from the record buffer. The text is bound in place: the buffer
// outlives the statement's step, and the bindings are cleared before the statement's next use.
void bindText(sqlite3_stmt* stmt, int param, std::string_view s) {
    // An empty view may have no data pointer, which SQLite would take for NULL.
    sqlite3_bind_text(stmt, param, s.empty() ? "" : s.data(), static_cast<int>(s.size()),
                      SQLITE_STATIC);
}

void bindValue(sqlite3_stmt* stmt, int param, const FieldDesc& f, const void* record) {
    void* at = f.address(const_cast<void*>(record));
    switch (f.type) {
        case FieldType::String:
            bindText(stmt, param, static_cast<const TextField*>(at)->clipped());
            return;
        case FieldType::Memo:
            bindText(stmt, param, clip(cutChars(*static_cast<const std::string*>(at), f.width)));
            return;
        case FieldType::Decimal:
            if (f.decimal.places > 0) {
                sqlite3_bind_double(stmt, param, decimalToDouble(f.integer(record), f.decimal));
                return;
            }
            [[fallthrough]];
        default:
            sqlite3_bind_int64(stmt, param, f.integer(record));
    }
}

// Reads a column straight into the record buffer; values stored under another type go the
// general way.
void assignColumn(sqlite3_stmt* stmt, int col, const FieldDesc& f, void* record) {
    const int type = sqlite3_column_type(stmt, col);
    if (f.isText() && type == SQLITE_TEXT) {
        const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(stmt, col));
        std::string_view s =
            p ? std::string_view(p, static_cast<size_t>(sqlite3_column_bytes(stmt, col)))
              : std::string_view("");
        if (f.type == FieldType::String) {
            f.text(record).assign(s);
        } else {
            f.memo(record).assign(cutChars(s, f.width));
        }
    } else if (!f.isText() && type == SQLITE_INTEGER &&
               !(f.type == FieldType::Decimal && f.decimal.places > 0)) {
        f.setInteger(record, sqlite3_column_int64(stmt, col));
    } else {
        f.assign(record, RecordCodec::column(stmt, col));
    }
}

}  // namespace

SqlValue RecordCodec::seal(const FileDecl& decl, int column, SqlValue v, const FileCipher* cipher) {
    const auto* text = std::get_if<std::string>(&v);
    if (!cipher || !text) return v;
    return cipher->seal(*text, isKeyComponent(decl, column));
}

bool RecordCodec::open(SqlValue& v, const FileCipher* cipher) {
    const auto* text = std::get_if<std::string>(&v);
    if (!cipher || !text) return true;
    auto plain = cipher->open(*text);
    v = plain ? std::move(*plain) : std::string();
    return plain.has_value();
}

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

void RecordCodec::readColumn(sqlite3_stmt* stmt, int col, SqlValue* into) {
    switch (sqlite3_column_type(stmt, col)) {
        case SQLITE_INTEGER:
            into->emplace<int64_t>(sqlite3_column_int64(stmt, col));
            return;
        case SQLITE_FLOAT:
            into->emplace<double>(sqlite3_column_double(stmt, col));
            return;
        case SQLITE_TEXT:
        case SQLITE_BLOB: {
            const auto* p = static_cast<const char*>(sqlite3_column_blob(stmt, col));
            const auto n = static_cast<size_t>(sqlite3_column_bytes(stmt, col));
            auto* text = std::get_if<std::string>(into);
            if (!text) text = &into->emplace<std::string>();
            if (p) {
                text->assign(p, n);
            } else {
                text->clear();
            }
            return;
        }
        default:
            into->emplace<std::monostate>();
    }
}

int RecordCodec::bindRecord(sqlite3_stmt* stmt, int param, const FileDecl& decl, const void* record,
                            const KeyDesc* autoKey, const FileCipher* cipher) {
    const auto& cols = decl.columns();
    int numbered = autoKey ? autoKey->components.back() : -1;
    for (size_t i = 0; i < cols.size(); ++i) {
        if (static_cast<int>(i) == numbered) {
            for (size_t c = 0; c + 1 < autoKey->components.size(); ++c) {
                bind(stmt, param++, keyValue(decl, *autoKey, static_cast<int>(c), record, cipher));
            }
        } else if (cipher) {
            bind(stmt, param++, seal(decl, static_cast<int>(i), cols[i].value(record), cipher));
        } else {
            bindValue(stmt, param++, cols[i], record);
        }
    }
    for (int i = 0; i < decl.fieldCount(); ++i) {
        if (!decl.needsFolded(i)) continue;
        auto v = cols[static_cast<size_t>(i)].value(record);
        bind(stmt, param++, seal(decl, i, foldCase(std::get<std::string>(v)), cipher));
    }
    return param;
}

bool RecordCodec::readRecord(sqlite3_stmt* stmt, int col, const FileDecl& decl, void* record,
                             int64_t* recno, int64_t* revision, const FileCipher* cipher) {
    if (recno) *recno = sqlite3_column_int64(stmt, col);
    if (revision) *revision = sqlite3_column_int64(stmt, col + 1);
    col += 2;
    bool ok = true;
    for (const auto& f : decl.columns()) {
        if (cipher) {
            SqlValue v = column(stmt, col++);
            ok = open(v, cipher) && ok;
            f.assign(record, v);
        } else {
            assignColumn(stmt, col++, f, record);
        }
    }
    return ok;
}

SqlValue RecordCodec::keyValue(const FileDecl& decl, const KeyDesc& key, int component,
                               const void* record, const FileCipher* cipher) {
    int column = key.components[static_cast<size_t>(component)];
    const auto& f = decl.columns()[static_cast<size_t>(column)];
    SqlValue v = f.value(record);
    if (key.noCase && f.type == FieldType::String) v = foldCase(std::get<std::string>(v));
    return seal(decl, column, std::move(v), cipher);
}

SqlValues RecordCodec::keyValues(const FileDecl& decl, const KeyDesc& key, const void* record,
                                 const FileCipher* cipher) {
    SqlValues out;
    for (size_t c = 0; c < key.components.size(); ++c) {
        out.push_back(keyValue(decl, key, static_cast<int>(c), record, cipher));
    }
    return out;
}

}  // namespace cdz
