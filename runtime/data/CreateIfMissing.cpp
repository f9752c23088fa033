#include "runtime/data/CreateIfMissing.h"

#include "runtime/data/ErrorGuard.h"
#include "runtime/data/FileStorage.h"

namespace cdz {

int createIfMissing(DataFile& file) {
    if (file.isOpen()) return file.database().fail(err::kFileAlreadyOpen);
    Database& db = file.database();
    const FileName where = FileName::resolve(file.name(), db.folder(), file.decl().label());
    std::error_code ec;
    std::filesystem::create_directories(where.database.parent_path(), ec);
    std::string schema;
    if (int code = db.attach(where.database, true, true, &schema)) return code;
    // The file is attached already, so create() neither attaches nor detaches it.
    const int code =
        FileStorage::of(db, file.decl(), schema, where)->createOnce([&] { return file.create(); });
    ErrorGuard keep(db.error());
    db.detach(where.database);
    return code;
}

}  // namespace cdz
