#pragma once
// `cdzapp --import FILE.csv [--map "Header=MUS:Field,..."] [--data-dir FOLDER]` and
// `cdzapp --export FILE.csv [--data-dir FOLDER]`: the song import and export without any
// window, for users' scripts and for tests. The import assigns the columns by the labels of
// the file's first line (as the window's Auto does) or by the map, and skips that line when
// it held labels; the export writes every field in the export window's order after a header
// line. Both print what they did: songs added or written, the columns not imported, and each
// line refused with why. A Discogs collection export, known by its header, is imported as albums
// (DiscogsImport) unless a map asks for songs.
#include <cstdio>
#include <string>

#include "app/engine/command/CommandTable.h"

namespace cdz {

class Catalogue;

struct CsvOrder {
    std::string importFile;
    std::string exportFile;
    std::string map;
    bool hasMap = false;
};

class CsvCommand {
public:
    static constexpr int kDone = 0;
    static constexpr int kFailed = 1;  // nothing imported, or a file that failed
    static constexpr int kWrongOrder = 2;

    // The command table's entries of --import and --export, over the data folder --data-dir
    // (else the current one).
    static HeadlessCommand importCommand();
    static HeadlessCommand exportCommand();

    static int runImport(Catalogue& catalogue, const CsvOrder& order, std::FILE* out,
                         std::FILE* err);
    static int runExport(Catalogue& catalogue, const CsvOrder& order, std::FILE* out,
                         std::FILE* err);
};

}  // namespace cdz
