#pragma once
// Moves values between a record buffer and statements of any storage engine: binding the stored
// form of every column (with the folded copies of case-insensitive key texts) and reading rows
// back.
#include <cstdint>

#include "runtime/data/FileDecl.h"
#include "runtime/data/ParamBinder.h"
#include "runtime/data/ResultRow.h"
#include "runtime/data/SqlValue.h"

namespace cdz {

class FileCipher;

// `cipher` is the file's when it is stored enciphered (FileDecl::encrypted), else null: texts
// and memos are then sealed on the way in and opened on the way out.
class RecordCodec {
public:
    static void bind(ParamBinder& stmt, int param, const SqlValue& v);
    static SqlValue column(const ResultRow& row, int col);
    // The same into `into`, reusing the storage of a text it holds: rows read again and again
    // into the same values allocate nothing.
    static void readColumn(const ResultRow& row, int col, SqlValue* into);

    // Binds from parameter `param` on as TableSql::insert / update expect and returns the next
    // free parameter number.
    static int bindRecord(ParamBinder& stmt, int param, const FileDecl& decl, const void* record,
                          const KeyDesc* autoKey, const FileCipher* cipher = nullptr);
    // The same values into `out` (cleared first): every column, then every folded copy.
    static void storedRecord(const FileDecl& decl, const void* record, SqlValues* out,
                             const FileCipher* cipher = nullptr);
    // Reads TableSql::selectList from column `col` on into the record; false when a sealed
    // value does not open (the file was altered), its field then left blank.
    static bool readRecord(const ResultRow& row, int col, const FileDecl& decl, void* record,
                           int64_t* recno, int64_t* revision, const FileCipher* cipher = nullptr);
    // The key's component values as the key compares them (texts folded for a
    // case-insensitive key, sealed for an enciphered file).
    static SqlValues keyValues(const FileDecl& decl, const KeyDesc& key, const void* record,
                               const FileCipher* cipher = nullptr);
    static SqlValue keyValue(const FileDecl& decl, const KeyDesc& key, int component,
                             const void* record, const FileCipher* cipher = nullptr);

    // A column's value as stored and back. Texts of key components are sealed
    // deterministically so that lookups by key find them.
    static SqlValue seal(const FileDecl& decl, int column, SqlValue v, const FileCipher* cipher);
    static bool open(SqlValue& v, const FileCipher* cipher);
};

}  // namespace cdz
