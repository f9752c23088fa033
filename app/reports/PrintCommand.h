#pragma once
// `cdzapp --print REPORT [--selected TEXT | --filter EXPRESSION] [--album N] [--playlist N] --pdf
// FILE
// [--data-dir FOLDER]`: makes a report without any window and writes its pages to a PDF file,
// so that a user can print from a script and a test can read a report without a screen. The
// report is made by the same engine as from the Reports menu, on the paper of the printer
// set-up. The one-album song list asks no question here: --album gives the album's number;
// nor do the playlist printout and the chart (Top 40): --playlist gives the playlist's.
#include <cstdio>
#include <string>

#include "app/engine/command/CommandTable.h"

namespace cdz {

class AppState;

struct PrintOrder {
    std::string report;    // the procedure name, "PRINTMUS:SONGSBYARTIST"
    std::string selected;  // print only records whose order field begins with this
    bool hasSelected = false;
    std::string filter;  // an expression over the report's fields
    std::string album;   // the album number of the one-album song list
    bool hasAlbum = false;
    std::string playlist;  // the playlist number of the playlist printout and the chart
    bool hasPlaylist = false;
    std::string pdf;  // the file written
};

class PrintCommand {
public:
    // The command table's entry of --print, over the data folder --data-dir (else the current
    // one).
    static HeadlessCommand command();

    // Makes the report and writes the PDF: 0; or says why not on `err` (1 for nothing to print
    // or a failure of the report, 2 for a wrong order).
    static int run(AppState& state, const PrintOrder& order, std::FILE* out, std::FILE* err);
};

}  // namespace cdz
