#pragma once
// Prints pages on a printer (or the printer's PDF file) through the one drawing path, making
// the copies itself: the printer's own copy count is held at 1 meanwhile, so the user gets
// exactly the copies asked for whatever the driver would have added.
#include <QString>

#include "runtime/report/PageSource.h"

class QPrinter;

namespace cdz {

struct PrintOutcome {
    int sheets = 0;   // pages sent, copies included
    QString message;  // why printing stopped; empty when every page went
    bool ok() const { return message.isEmpty(); }
};

class PagePrinter {
public:
    // Collated: the whole set, then again; otherwise each page its copies in turn.
    // A PDF file is replaced whole or not at all.
    static PrintOutcome print(const PageSource& pages, QPrinter& printer, int copies, bool collate);

private:
    static PrintOutcome printSheets(const PageSource& pages, QPrinter& printer, int copies,
                                    bool collate);
};

}  // namespace cdz
