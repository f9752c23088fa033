#include "runtime/data/StoredSize.h"

#include "runtime/data/DataFile.h"
#include "runtime/data/FileStorage.h"

namespace cdz {

int64_t storedBytes(DataFile& file) {
    Database& db = file.database();
    const FileName where = FileName::resolve(file.name(), db.folder(), file.decl().label());
    return FileStorage::of(db, file.decl(), file.sql().schema(), where)->storedBytes();
}

}  // namespace cdz
