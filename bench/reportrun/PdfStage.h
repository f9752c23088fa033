#pragma once
// The report to a PDF file, two ways: the pages already made written by the program's PDF
// writer (pages a second, bytes a page, and whether a PDF reader finds the first page's text in
// the order the preview shows it), and `cdzapp --print ... --pdf` end to end as its own process.
#include <QString>
#include <filesystem>
#include <string>

#include "runtime/report/PageList.h"

namespace cdz::bench {

struct PdfFigures {
    bool written = false;
    double seconds = 0;
    int pages = 0;
    double bytesPerPage = 0;
    long peakKb = 0;        // the child's, for the end-to-end run
    std::string textOrder;  // "yes", or the first text not found in order
};

PdfFigures writePages(const PageList& pages, const std::filesystem::path& pdf);
PdfFigures printCommand(const std::filesystem::path& app, const std::filesystem::path& folder,
                        const std::filesystem::path& pdf);

}  // namespace cdz::bench
