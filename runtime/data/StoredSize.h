#pragma once
// The bytes an open data file takes where it is kept: its file in the folder, or on a server
// its table with the table's indexes. For the file manager's Info.
#include <cstdint>

namespace cdz {

class DataFile;

// -1 when it cannot be told.
int64_t storedBytes(DataFile& file);

}  // namespace cdz
