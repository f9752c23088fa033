#pragma once
// Renaming a closed data file: a table inside a shared database file ("QUERIES.TPS\!Old" to
// "QUERIES.TPS\!New") keeps its rows, keys and record count under the new name; a file of its
// own is renamed on disk. On success the DataFile carries the new name.
#include <string_view>

#include "runtime/data/DataFile.h"

namespace cdz {

// Returns a runtime code: 52 when the file is open, 2 when it is missing, 5 when the new name
// is already taken or lies in another database file.
int renameTable(DataFile& file, std::string_view newExternalName);

}  // namespace cdz
