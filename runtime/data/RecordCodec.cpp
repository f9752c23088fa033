#include "runtime/data/RecordCodec.h"

#include "runtime/data/FileCipher.h"
#include "runtime/text/SortKey.h"
#include "runtime/text/Text.h"

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
void bindValue(ParamBinder& stmt, int param, const FieldDesc& f, const void* record) {
    void* at = f.address(const_cast<void*>(record));
    switch (f.type) {
        case FieldType::String:
            stmt.bindText(param, static_cast<const TextField*>(at)->clipped(), true);
            return;
        case FieldType::Memo:
            stmt.bindText(param, clip(cutChars(*static_cast<const std::string*>(at), f.width)),
                          true);
            return;
        case FieldType::Decimal:
            if (f.decimal.places > 0) {
                stmt.bindReal(param, decimalToDouble(f.integer(record), f.decimal));
                return;
            }
            [[fallthrough]];
        default:
            stmt.bindInteger(param, f.integer(record));
    }
}

// Reads a column straight into the record buffer; values stored under another type go the
// general way.
void assignColumn(const ResultRow& row, int col, const FieldDesc& f, void* record) {
    const ColumnType type = row.columnType(col);
    if (f.isText() && type == ColumnType::Text) {
        const std::string_view s = row.text(col);
        if (f.type == FieldType::String) {
            f.text(record).assign(s);
        } else {
            f.memo(record).assign(cutChars(s, f.width));
        }
    } else if (!f.isText() && type == ColumnType::Integer &&
               !(f.type == FieldType::Decimal && f.decimal.places > 0)) {
        f.setInteger(record, row.integer(col));
    } else {
        f.assign(record, RecordCodec::column(row, col));
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

void RecordCodec::bind(ParamBinder& stmt, int param, const SqlValue& v) {
    if (const auto* i = std::get_if<int64_t>(&v)) {
        stmt.bindInteger(param, *i);
    } else if (const auto* d = std::get_if<double>(&v)) {
        stmt.bindReal(param, *d);
    } else if (const auto* s = std::get_if<std::string>(&v)) {
        stmt.bindText(param, *s);
    } else {
        stmt.bindNull(param);
    }
}

SqlValue RecordCodec::column(const ResultRow& row, int col) {
    switch (row.columnType(col)) {
        case ColumnType::Integer:
            return row.integer(col);
        case ColumnType::Real:
            return row.real(col);
        case ColumnType::Text:
            return std::string(row.text(col));
        case ColumnType::Null:
            break;
    }
    return SqlValue{};
}

void RecordCodec::readColumn(const ResultRow& row, int col, SqlValue* into) {
    switch (row.columnType(col)) {
        case ColumnType::Integer:
            into->emplace<int64_t>(row.integer(col));
            return;
        case ColumnType::Real:
            into->emplace<double>(row.real(col));
            return;
        case ColumnType::Text: {
            auto* text = std::get_if<std::string>(into);
            if (!text) text = &into->emplace<std::string>();
            text->assign(row.text(col));
            return;
        }
        case ColumnType::Null:
            break;
    }
    into->emplace<std::monostate>();
}

int RecordCodec::bindRecord(ParamBinder& stmt, int param, const FileDecl& decl, const void* record,
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
        bind(stmt, param++, seal(decl, i, sortKey(std::get<std::string>(v)), cipher));
    }
    return param;
}

void RecordCodec::storedRecord(const FileDecl& decl, const void* record, SqlValues* out,
                               const FileCipher* cipher) {
    out->clear();
    const auto& cols = decl.columns();
    for (size_t i = 0; i < cols.size(); ++i) {
        out->push_back(seal(decl, static_cast<int>(i), cols[i].value(record), cipher));
    }
    for (int i = 0; i < decl.fieldCount(); ++i) {
        if (!decl.needsFolded(i)) continue;
        auto v = cols[static_cast<size_t>(i)].value(record);
        out->push_back(seal(decl, i, sortKey(std::get<std::string>(v)), cipher));
    }
}

bool RecordCodec::readRecord(const ResultRow& row, int col, const FileDecl& decl, void* record,
                             int64_t* recno, int64_t* revision, const FileCipher* cipher) {
    if (recno) *recno = row.integer(col);
    if (revision) *revision = row.integer(col + 1);
    col += 2;
    bool ok = true;
    for (const auto& f : decl.columns()) {
        if (cipher) {
            SqlValue v = column(row, col++);
            ok = open(v, cipher) && ok;
            f.assign(record, v);
        } else {
            assignColumn(row, col++, f, record);
        }
    }
    return ok;
}

SqlValue RecordCodec::keyValue(const FileDecl& decl, const KeyDesc& key, int component,
                               const void* record, const FileCipher* cipher) {
    int column = key.components[static_cast<size_t>(component)];
    const auto& f = decl.columns()[static_cast<size_t>(column)];
    SqlValue v = f.value(record);
    if (key.noCase && f.type == FieldType::String) v = sortKey(std::get<std::string>(v));
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
