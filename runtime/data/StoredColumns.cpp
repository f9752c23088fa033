#include "runtime/data/StoredColumns.h"

#include "runtime/data/RecordCodec.h"

namespace cdz {

int storedColumns(Database& db, const std::string& schema, const std::string& table,
                  std::map<std::string, std::string>* columns) {
    columns->clear();
    Statement stmt =
        db.statement("SELECT name, type FROM pragma_table_info(" + Database::literal(table) + ", " +
                     Database::literal(schema) + ")");
    if (!stmt) return db.error().code;
    StepResult rc;
    while ((rc = stmt.step()).row()) {
        (*columns)[std::get<std::string>(RecordCodec::column(stmt, 0))] =
            std::get<std::string>(RecordCodec::column(stmt, 1));
    }
    return rc.done() ? db.succeed() : db.failStep(rc);
}

int checkStoredColumns(Database& db, const TableSql& sql) {
    std::map<std::string, std::string> columns;
    if (int code = storedColumns(db, sql.schema(), sql.table(), &columns)) return code;
    for (const auto& name : sql.storedColumnNames()) {
        if (!columns.count(name)) {
            return db.fail(err::kInvalidRecordLayout, 0,
                           "the table " + sql.table() + " has no column " + name);
        }
    }
    return db.succeed();
}

}  // namespace cdz
