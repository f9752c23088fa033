#include "app/albums/wizard/WizardTransaction.h"

#include <vector>

#include "runtime/data/Transaction.h"

namespace cdz {

int inWizardTransaction(Catalogue& catalogue, std::initializer_list<CatalogueFile> files,
                        const std::function<int()>& work) {
    const FileUse use(catalogue, files);
    if (!use.ok()) return use.code();
    std::vector<DataFile*> framed;
    for (CatalogueFile f : files) framed.push_back(&catalogue.file(f));
    return inTransaction(catalogue.database(), framed, work);
}

}  // namespace cdz
