#pragma once
// Runs a piece of wizard work as one transaction over the files it names: everything it wrote is
// committed, or on any failure rolled back with the database's error state keeping the cause.
#include <functional>
#include <initializer_list>

#include "app/domain/data/Catalogue.h"

namespace cdz {

// `work` returns a runtime code (0 to commit). The files are held open for the transaction's
// length. Returns 0 when committed, else the code of the first failure.
int inWizardTransaction(Catalogue& catalogue, std::initializer_list<CatalogueFile> files,
                        const std::function<int()>& work);

}  // namespace cdz
