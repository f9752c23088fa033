#pragma once
// Adding a generated catalogue's songs to a new songs file, one add at a time in a stream,
// against the sqlite3 shell's .import of the same songs into a new file of the same schema
// (the same table, keys and triggers).
#include <filesystem>
#include <string>
#include <vector>

#include "bench/generator/CatalogueRecords.h"
#include "runtime/data/Database.h"

namespace cdz::bench {

struct AddFigures {
    double ours = 0;   // seconds
    double shell = 0;  // seconds, process start included
    // The shell again, given the connection settings the program uses (page cache and
    // temporary storage in memory): what is left is the cost of the program's own work.
    double shellTuned = 0;
    bool ok = true;
    std::string failure;
};

class AddBench {
public:
    // Fills `folder`/ours/cdzdata.tps and `folder`/shell/cdzdata.tps. `withShell` false skips
    // the shell (a small catalogue built only to be read).
    // With `server` naming one, the program's songs file is on it (and there is no shell).
    static AddFigures run(const std::vector<gen::SongRecord>& songs,
                          const std::filesystem::path& folder, bool withShell,
                          const OnServer& server = {});
};

}  // namespace cdz::bench
