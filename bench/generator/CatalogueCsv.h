#pragma once
// Lines of the generated CSV files. Songs carry the 23 columns of the import's target list,
// in its order; albums, categories and media carry every field of their file in record order.
// Header lines hold the field labels, so the import's automatic assignment maps them.
#include <array>
#include <string_view>

#include "bench/generator/CatalogueRecords.h"
#include "bench/generator/CsvLine.h"

namespace cdz::gen {

class CatalogueCsv {
public:
    static const std::array<std::string_view, 23>& songColumns();
    static const std::array<std::string_view, 20>& albumColumns();

    static void songHeader(CsvLine& line);
    static void songLine(const SongRecord& song, CsvLine& line);
    static void albumHeader(CsvLine& line);
    static void albumLine(const AlbumRecord& album, CsvLine& line);
    static void categoryHeader(CsvLine& line);
    static void categoryLine(const CategoryRecord& category, CsvLine& line);
    static void mediaHeader(CsvLine& line);
    static void mediaLine(std::string_view media, CsvLine& line);
};

}  // namespace cdz::gen
