#include "app/albums/wizard/WizardTransaction.h"

#include <vector>

namespace cdz {

namespace {
constexpr int kTransactionWaitMs = 2000;
}

int inWizardTransaction(Catalogue& catalogue, std::initializer_list<CatalogueFile> files,
                        const std::function<int()>& work) {
    const FileUse use(catalogue, files);
    if (!use.ok()) return use.code();
    std::vector<DataFile*> framed;
    for (CatalogueFile f : files) framed.push_back(&catalogue.file(f));
    Database& db = catalogue.database();
    if (const int code = beginTransaction(db, framed, kTransactionWaitMs)) return code;
    int code = work();
    if (code == 0) code = db.commit();
    if (code != 0) {
        const ErrorState cause = db.error();
        if (db.inTransaction()) db.rollback();
        db.error() = cause;
    }
    return code;
}

}  // namespace cdz
