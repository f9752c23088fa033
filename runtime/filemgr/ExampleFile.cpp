#include "runtime/filemgr/ExampleFile.h"

#include <string>

#include "runtime/data/DataFile.h"
#include "runtime/data/FileName.h"

namespace cdz {

namespace {

// A buffer for a declaration whose record type is not known here: creating a file reads no
// record, so any buffer of the declared type's identity will do.
struct NoRecord {};

}  // namespace

std::filesystem::path examplePath(const Database& db, const FileDecl& decl,
                                  std::string_view externalName) {
    const FileName where = FileName::resolve(externalName, db.folder(), decl.label());
    std::filesystem::path p = where.database;
    p.replace_extension(".tpe");
    return p;
}

int makeExampleFile(Database& db, const FileDecl& decl, std::string_view externalName,
                    std::filesystem::path* example, const std::string& owner) {
    *example = examplePath(db, decl, externalName);
    // On a server the example's schema would be the file's own (a schema is named without the
    // extension): making it there would empty the file.
    if (!db.has(StorageFeature::FilesInFolder)) {
        return db.fail(err::kAccessDenied, 0, "an example is made only of a file in a folder");
    }
    const FileName where = FileName::resolve(externalName, db.folder(), decl.label());
    std::error_code ec;
    std::filesystem::remove(*example, ec);
    std::string name = example->string();
    if (where.sharedFile) name += "\\!" + where.table;
    NoRecord none;
    DataFile file(db, decl, &none, decl.recordType());
    file.setName(name);
    file.setOwner(owner);
    return file.create();
}

}  // namespace cdz
