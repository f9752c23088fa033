#pragma once
// Writes pages to a PDF file, each page on paper of its own size, with no margins added.
#include <QString>

#include "runtime/report/PageSource.h"

namespace cdz {

struct PdfOutcome {
    bool written = false;
    QString message;  // why the file was not written; empty when it was
};

class PdfExport {
public:
    static PdfOutcome write(const PageSource& pages, const QString& path);
};

}  // namespace cdz
