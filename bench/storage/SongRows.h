#pragma once
// The generated songs as the stored rows of the songs table, in CSV for the sqlite3 shell's
// .import (every column of the table, the hidden ones included, so that the shell fills the
// same table as the program does).
#include <iosfwd>
#include <vector>

#include "app/domain/data/SongRecord.h"
#include "bench/generator/CatalogueRecords.h"

namespace cdz::bench {

class SongRows {
public:
    // One CSV line per song, record numbers from 1, as the table holds it after adding the
    // songs in this order.
    static void writeStoredRows(std::ostream& out, const std::vector<gen::SongRecord>& songs);
};

}  // namespace cdz::bench
