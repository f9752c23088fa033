#pragma once
// The one routine through which the program opens a data file. Around the open it keeps the
// bad-file marker; by the open's error code it recovers a file left locked by an interrupted
// transaction, creates a missing file, rebuilds invalid keys (when the user agrees), upgrades a
// file of an older layout or a damaged one, and ends the program when nothing helps. Its
// messages name the file by its label ("Album"), as every standard warning does; the marker
// keeps the external name, which the repair needs.
#include "runtime/data/DataFile.h"

namespace cdz {

class BadFileMarker;
class FileRegistry;
class RuntimeStop;
class StandardWarning;

class OpenDataFile {
public:
    OpenDataFile(BadFileMarker& marker, FileRegistry& registry, StandardWarning& warning,
                 RuntimeStop& stop);

    // Returns 0 when the file is open. Otherwise the program has been ended (a test's stop
    // returns here) and the result is the error code that ended it.
    // createAllowed: a missing file may be created. noMissingHandling: a missing file is not
    // upgraded or created. shared: open for reading and writing, others allowed the same
    // (replacing `mode`).
    int operator()(DataFile& file, bool createAllowed = true, bool noMissingHandling = false,
                   int mode = access::kShared, bool shared = true);

private:
    // 0 once the file is open, else the code that is still there.
    int missing(DataFile& file, int mode, bool createAllowed);
    int rebuildKeys(DataFile& file, int mode);
    int upgradeAndOpen(DataFile& file, int mode);
    int fail(int code);

    BadFileMarker& marker_;
    FileRegistry& registry_;
    StandardWarning& warning_;
    RuntimeStop& stop_;
};

}  // namespace cdz
