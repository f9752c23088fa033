#pragma once
// Moves values between a record buffer and SQLite statements: binding the stored form of every
// column (with the folded copies of case-insensitive key texts) and reading rows back.
#include <cstdint>

#include "runtime/data/FileDecl.h"
#include "runtime/data/SqlValue.h"

struct sqlite3_stmt;

namespace cdz {

class RecordCodec {
public:
    static void bind(sqlite3_stmt* stmt, int param, const SqlValue& v);
    static SqlValue column(sqlite3_stmt* stmt, int col);

    // Binds from parameter `param` on as TableSql::insert / update expect and returns the next
    // free parameter number.
    static int bindRecord(sqlite3_stmt* stmt, int param, const FileDecl& decl, const void* record,
                          const KeyDesc* autoKey);
    // Reads TableSql::selectList from column `col` on into the record.
    static void readRecord(sqlite3_stmt* stmt, int col, const FileDecl& decl, void* record,
                           int64_t* recno, int64_t* revision);
    // The key's component values as the key compares them (texts folded for a
    // case-insensitive key).
    static SqlValues keyValues(const FileDecl& decl, const KeyDesc& key, const void* record);
    static SqlValue keyValue(const FileDecl& decl, const KeyDesc& key, int component,
                             const void* record);
};

}  // namespace cdz
