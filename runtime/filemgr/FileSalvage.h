#pragma once
// Repair of a damaged data file: every record that can still be read is copied into a fresh copy
// of the file's example (an empty file with the declared layout), which then takes the damaged
// file's place. The damaged file is kept beside it, so nothing readable is ever lost.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace cdz {

struct SalvagedTable {
    std::string table;
    int64_t saved = 0;
    // Records the damaged file said it held, less those saved; -1 when it could not say.
    int64_t lost = -1;
    std::string note;  // why records were lost, when they were
};

struct SalvageReport {
    std::vector<SalvagedTable> tables;
    std::filesystem::path keptAs;  // where the damaged file now is
    // After a failure: whether every file is as it was (false only when a file could not be
    // moved back; the error says where it is).
    bool untouched = true;
    // The example was refused: it is the file itself or holds records.
    bool exampleRefused = false;
    int64_t saved() const;
    // -1 when any table could not say how many it held.
    int64_t lost() const;
};

// Rebuilds `damaged` from `example`, keeping the damaged file as the first free one of
// FILE.damaged, FILE.damaged.1, ... Returns false, with `error` saying why, when the file is
// missing, the example is not the file's own (see FileSalvageCheck.h) or cannot be read, or
// the rebuilt file cannot be written or put in place; every file is then as it was, unless
// report->untouched says otherwise.
bool salvageFile(const std::filesystem::path& damaged, const std::filesystem::path& example,
                 SalvageReport* report, std::string* error);

}  // namespace cdz
