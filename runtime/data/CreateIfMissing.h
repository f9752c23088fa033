#pragma once
// Creating a data file from the open routine when several stations may start at once: the
// file's table is made only when no station made it meanwhile, and a table that is there is
// never dropped (DataFile::create replaces one, records and all).
#include "runtime/data/DataFile.h"

namespace cdz {

// Creates the closed file's table unless its layout is already stored. The check and the
// creation run in one transaction that holds the database file's write lock from its first
// statement, so of two stations creating the same file at once one creates it and the other
// finds it made. Waits up to the database's lock wait for another station's write; 0 when the
// table is there afterwards, else the runtime code (32 when the wait ran out).
int createIfMissing(DataFile& file);

}  // namespace cdz
