#pragma once
// Which files the delete and update procedures of each data file lock in their transaction:
// the file itself first, then the files its rules read or change.
#include <vector>

#include "app/domain/data/CatalogueFile.h"

namespace cdz {

// True for the nine files that have a delete and an update procedure (not Configuration and
// OldCadenzio).
bool hasIntegrityProcedures(CatalogueFile file);

// The files of the transaction, the file itself first; empty for a file without procedures.
const std::vector<CatalogueFile>& deleteScope(CatalogueFile file);
const std::vector<CatalogueFile>& updateScope(CatalogueFile file);

}  // namespace cdz
