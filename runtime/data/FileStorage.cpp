#include "runtime/data/FileStorage.h"

#include "runtime/data/Database.h"
#include "runtime/data/pg/PgFiles.h"
#include "runtime/data/sqlite/SqliteFiles.h"

namespace cdz {

std::unique_ptr<FileStorage> FileStorage::of(Database& db, const FileDecl& decl,
                                             const std::string& schema, const FileName& where) {
    if (auto* server = db.server())
        return std::make_unique<pg::PgFiles>(*server, decl, schema, where);
    return std::make_unique<SqliteFiles>(db, decl, schema, where);
}

}  // namespace cdz
