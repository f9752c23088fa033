#include "runtime/filemgr/FileUpgrade.h"

#include "runtime/data/ErrorGuard.h"
#include "runtime/data/FileName.h"
#include "runtime/data/FileStorage.h"

namespace cdz {

int upgradeFile(Database& db, const FileDecl& decl, std::string_view externalName) {
    const FileName where = FileName::resolve(externalName, db.folder(), decl.label());
    std::string schema;
    if (int code = db.attach(where.database, false, true, &schema)) return code;
    const int code = FileStorage::of(db, decl, schema, where)->upgrade();
    ErrorGuard keep(db.error());
    db.detach(where.database);
    return code ? code : db.succeed();
}

}  // namespace cdz
