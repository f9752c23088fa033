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
                    std::filesystem::path* example) {
    const FileName where = FileName::resolve(externalName, db.folder(), decl.label());
    *example = examplePath(db, decl, externalName);
    std::error_code ec;
    std::filesystem::remove(*example, ec);
    std::string name = example->string();
    if (where.sharedFile) name += "\\!" + where.table;
    NoRecord none;
    DataFile file(db, decl, &none, decl.recordType());
    file.setName(name);
    return file.create();
}

}  // namespace cdz
