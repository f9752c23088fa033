#pragma once
// Structural upgrade: converts a stored data file written under an older declaration (columns
// added or removed, widths changed, keys added or dropped) to the declared layout, keeping every
// record. All of it happens in one transaction, so a crash or a failure leaves the old file.
#include <string_view>

#include "runtime/data/Database.h"
#include "runtime/data/FileDecl.h"

namespace cdz {

// Upgrades the closed file `externalName` (as DataFile names it) to `decl`. Returns 0 when the
// file now has the declared layout (also when it already had it), else a runtime code with the
// database's error state set: 2 when the file does not exist, 90 when it is not a database,
// 36 when it is not one of the program's files or holds another data file, 40 when the
// declared unique keys do not hold for the stored records (nothing is changed).
int upgradeFile(Database& db, const FileDecl& decl, std::string_view externalName);

}  // namespace cdz
