#include "runtime/report/PagePrinter.h"

#include <QDir>
#include <QFile>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <algorithm>
#include <vector>

#include "runtime/ini/ReplacingFile.h"

namespace cdz {
namespace {

QPageSize paper(const PageSource& pages, int page) {
    return QPageSize(pages.pageSize(page), QPageSize::Point, QString(), QPageSize::ExactMatch);
}

// The whole paper, in the painter's device pixels, with the printer set to full-page drawing.
QRectF target(QPrinter& printer) {
    return printer.paperRect(QPrinter::DevicePixel);
}

// The printer's PDF writer reports no failed write; a PDF written whole ends with its end mark.
bool endsAsPdf(const std::filesystem::path& file) {
    QFile pdf(QString::fromStdString(file.string()));
    if (!pdf.open(QIODevice::ReadOnly) || pdf.size() < 16) return false;
    pdf.seek(pdf.size() - 16);
    return pdf.read(16).contains("%%EOF");
}

}  // namespace

// The printer's PDF file is written beside its path and renamed over it only when whole, so a
// failure or a kill leaves what was at the path as it was.
PrintOutcome PagePrinter::print(const PageSource& pages, QPrinter& printer, int copies,
                                bool collate) {
    const QString path = printer.outputFileName();
    if (printer.outputFormat() != QPrinter::PdfFormat || path.isEmpty())
        return printSheets(pages, printer, copies, collate);
    PrintOutcome out;
    const auto cannot = [&](const std::string& why) {
        out.message = QStringLiteral("Cannot write the PDF file %1: %2")
                          .arg(QDir::toNativeSeparators(path), QString::fromStdString(why));
        return out;
    };
    ReplacingFile file(path.toStdString());
    if (const FileError error = file.open()) return cannot(error.cause);
    printer.setOutputFileName(QString::fromStdString(file.temporary().string()));
    out = printSheets(pages, printer, copies, collate);
    printer.setOutputFileName(path);
    if (!out.ok()) return out;
    if (!endsAsPdf(file.temporary())) return cannot("the file could not be written whole.");
    if (const FileError error = file.commit()) return cannot(error.cause);
    return out;
}

PrintOutcome PagePrinter::printSheets(const PageSource& pages, QPrinter& printer, int copies,
                                      bool collate) {
    PrintOutcome out;
    if (pages.pageCount() <= 0) return out;
    copies = std::max(1, copies);
    std::vector<int> order;
    for (int c = 0; c < (collate ? copies : 1); ++c)
        for (int p = 0; p < pages.pageCount(); ++p)
            for (int k = 0; k < (collate ? 1 : copies); ++k) order.push_back(p);

    const int ownCopies = printer.copyCount();
    printer.setCopyCount(1);
    // The user's set-up comes back afterwards: the pages bring their own paper.
    const QPageLayout layout = printer.pageLayout();
    const bool fullPage = printer.fullPage();
    printer.setFullPage(true);
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setPageSize(paper(pages, order.front()));
    QPainter painter;
    if (!painter.begin(&printer)) {
        out.message = "The printer could not be started.";
    } else {
        for (size_t i = 0; i < order.size(); ++i) {
            if (i > 0) {
                if (pages.pageSize(order[i]) != pages.pageSize(order[i - 1]))
                    printer.setPageSize(paper(pages, order[i]));
                if (!printer.newPage()) {
                    out.message = "The printer refused a new page.";
                    break;
                }
            }
            pages.render(painter, order[i], target(printer));
            ++out.sheets;
        }
        if (!painter.end() && out.message.isEmpty())
            out.message = "The printer did not finish the report.";
    }
    printer.setFullPage(fullPage);
    printer.setPageLayout(layout);
    printer.setCopyCount(ownCopies);
    return out;
}

}  // namespace cdz
