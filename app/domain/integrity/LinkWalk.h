#pragma once
// The walk every integrity rule makes: the records of one file that carry a linking value, in a
// key that leads with the linking field.
#include <functional>

#include "app/domain/warnings/StandardWarning.h"
#include "runtime/data/DataFile.h"

namespace cdz {

// Before the call the file's buffer holds the linking value and the lowest values of the key's
// following components. `carries` tells whether the record just read still carries the value;
// `visit` acts on it and returns false, having shown its own warning, to fail the walk. A
// visit may change the record's key or delete it: the next read resumes after the place the
// record was read from, so no record is skipped or read twice.
//
// True when the walk reached a record without the value or the end of the file with every
// visit done; a read error saves the error, shows warning 35 naming the file and gives false.
bool walkLinked(DataFile& file, int key, StandardWarning& warning,
                const std::function<bool()>& carries, const std::function<bool()>& visit);

}  // namespace cdz
