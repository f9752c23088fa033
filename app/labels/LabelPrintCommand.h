#pragma once
// `cdzapp --print-label NUMBER --pdf FILE [--data-dir FOLDER] [--paper A4|Letter]`: prints one
// label to a PDF file without any window, laid out as the label browse prints it, on the paper
// named (else the printer set-up's). What could not be printed as the label asks is told on
// the error output; the label still prints.
#include <cstdio>
#include <string>

#include "app/engine/command/CommandTable.h"

namespace cdz {

class AppState;

struct LabelPrintOrder {
    std::string label;  // the label's number, as given
    std::string pdf;    // the file written
    std::string paper;  // "A4", "Letter", or empty for the printer set-up's
};

class LabelPrintCommand {
public:
    // The command table's entry of --print-label, over the data folder --data-dir (else the
    // current one).
    static HeadlessCommand command();
    // 0 when written; 1 for a label that is not there or a file not written; 2 for a wrong
    // order.
    static int run(AppState& state, const LabelPrintOrder& order, std::FILE* out, std::FILE* err);
};

}  // namespace cdz
