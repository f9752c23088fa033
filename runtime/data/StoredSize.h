#pragma once
// The bytes a data file takes where it is kept (FileStorage::storedBytes), for the file
// manager's Info. On a server the file must be open.
#include <cstdint>

namespace cdz {

class DataFile;

// -1 when it cannot be told.
int64_t storedBytes(DataFile& file);

}  // namespace cdz
