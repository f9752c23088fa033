#pragma once
// The generated songs as the program stores them: into the songs file's record buffer, and as
// the stored rows of the songs table in CSV for the sqlite3 shell's .import (every column of
// the table, the hidden ones included, so both sides fill the same table).
#include <iosfwd>
#include <vector>

#include "app/core/data/SongRecord.h"
#include "bench/generator/CatalogueRecords.h"

namespace cdz::bench {

class SongRows {
public:
    static void fill(const gen::SongRecord& from, SongRecord& to);
    // One CSV line per song, record numbers from 1, as the table holds it after adding the
    // songs in this order.
    static void writeStoredRows(std::ostream& out, const std::vector<gen::SongRecord>& songs);
};

}  // namespace cdz::bench
