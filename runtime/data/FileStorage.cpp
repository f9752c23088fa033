#include "runtime/data/FileStorage.h"

#include "runtime/data/Database.h"

namespace cdz {

std::unique_ptr<BulkSink> FileStorage::bulkSink() {
    return nullptr;
}

std::unique_ptr<BulkSource> FileStorage::bulkSource() {
    return nullptr;
}

std::unique_ptr<AddSink> FileStorage::addSink() {
    return nullptr;
}

std::unique_ptr<PutSink> FileStorage::putSink() {
    return nullptr;
}

std::unique_ptr<FileStorage> FileStorage::of(Database& db, const FileDecl& decl,
                                             const std::string& schema, const FileName& where) {
    return db.storage(decl, schema, where);
}

}  // namespace cdz
