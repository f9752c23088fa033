#pragma once
// The columns a stored table really has, as SQLite reports them: keys are built and records
// read only over columns that are there, never over a name SQLite would take for a constant.
#include <map>
#include <string>

#include "runtime/data/Database.h"
#include "runtime/data/TableSql.h"

namespace cdz {

// Column name -> declared SQL type of `table` in `schema` (empty when there is no such table).
// Returns a runtime code.
int storedColumns(Database& db, const std::string& schema, const std::string& table,
                  std::map<std::string, std::string>* columns);

// 0 when the stored table has every column the declaration stores (the hidden ones
// included); else 47 naming the first one it lacks.
int checkStoredColumns(Database& db, const TableSql& sql);

}  // namespace cdz
