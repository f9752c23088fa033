#include "runtime/report/PagePrinter.h"

#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <algorithm>
#include <vector>

namespace cdz {
namespace {

QPageSize paper(const PageSource& pages, int page) {
    return QPageSize(pages.pageSize(page), QPageSize::Point, QString(), QPageSize::ExactMatch);
}

// The whole paper, in the painter's device pixels, with the printer set to full-page drawing.
QRectF target(QPrinter& printer) {
    return printer.paperRect(QPrinter::DevicePixel);
}

}  // namespace

PrintOutcome PagePrinter::print(const PageSource& pages, QPrinter& printer, int copies,
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
