#pragma once
// The generated records as the program stores them: each copied into the record buffer of its
// file, field by field (texts cut to the field widths by the buffer itself).
#include "app/domain/data/AlbumRecord.h"
#include "app/domain/data/CategoryRecord.h"
#include "app/domain/data/SongRecord.h"
#include "bench/generator/CatalogueRecords.h"

namespace cdz::gen {

class RecordFill {
public:
    static void song(const SongRecord& from, cdz::SongRecord& to);
    static void album(const AlbumRecord& from, cdz::AlbumRecord& to);
    static void category(const CategoryRecord& from, cdz::CategoryRecord& to);
};

}  // namespace cdz::gen
