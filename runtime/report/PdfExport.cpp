#include "runtime/report/PdfExport.h"

#include <QDir>
#include <QFile>

#include "runtime/ini/ReplacingFile.h"
#include "runtime/report/PdfCanvas.h"
#include "runtime/report/PdfFile.h"
#include "runtime/report/PdfResources.h"

namespace cdz {
namespace {

PdfOutcome failed(const QString& path, const QString& why) {
    return {false, QStringLiteral("Cannot write the PDF file %1: %2")
                       .arg(QDir::toNativeSeparators(path), why)};
}

QByteArray number(qreal v) {
    QByteArray text = QByteArray::number(v, 'f', 2);
    while (text.endsWith('0')) text.chop(1);
    if (text.endsWith('.')) text.chop(1);
    return text;
}

QByteArray box(QSizeF size) {
    return "[0 0 " + number(size.width()) + ' ' + number(size.height()) + ']';
}

// Every page, then what they share, then the page tree and the catalogue naming it. The tree
// holds the resources and the first page's paper, which pages inherit; a page names its own
// paper only where it differs.
void writePages(const PageSource& pages, PdfFile& pdf) {
    const int catalogue = pdf.reserve();
    const int tree = pdf.reserve();
    const int shared = pdf.reserve();
    const QByteArray paper = box(pages.pageSize(0));
    const QByteArray parent = "<< /Type /Page /Parent " + QByteArray::number(tree) + " 0 R ";
    PdfResources resources(pdf);
    PdfCanvas canvas(resources);
    QByteArray kids;
    for (int n = 0; n < pages.pageCount() && !pdf.failed(); ++n) {
        const QSizeF size = pages.pageSize(n);
        canvas.begin(size);
        pages.draw(canvas, n, QRectF(QPointF(0, 0), size));
        const int content = pdf.stream(QByteArray(), canvas.finish());
        const int page = pdf.reserve();
        const QByteArray own = box(size);
        pdf.object(page, parent + (own == paper ? QByteArray() : "/MediaBox " + own + ' ') +
                             "/Contents " + QByteArray::number(content) + " 0 R >>");
        kids += QByteArray::number(page) + " 0 R ";
    }
    resources.finish(shared);
    pdf.object(tree, "<< /Type /Pages /MediaBox " + paper + " /Resources " +
                         QByteArray::number(shared) + " 0 R /Kids [" + kids + "] /Count " +
                         QByteArray::number(pages.pageCount()) + " >>");
    pdf.object(catalogue, "<< /Type /Catalog /Pages " + QByteArray::number(tree) + " 0 R >>");
    pdf.finish(catalogue);
}

}  // namespace

PdfOutcome PdfExport::write(const PageSource& pages, const QString& path) {
    if (pages.pageCount() == 0) return failed(path, QStringLiteral("there are no pages."));
    // The pages go to a new file beside the target, renamed over it only when whole: a failure
    // or a kill leaves what was at the path as it was.
    ReplacingFile target(path.toStdString());
    if (const FileError error = target.open())
        return failed(path, QString::fromStdString(error.cause));
    QFile file(QString::fromStdString(target.temporary().string()));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return failed(path, file.errorString());
    PdfFile pdf(file);
    writePages(pages, pdf);
    if (pdf.failed()) return failed(path, pdf.why());
    if (!file.flush() || file.error() != QFileDevice::NoError)
        return failed(path, file.errorString());
    file.close();
    if (const FileError error = target.commit())
        return failed(path, QString::fromStdString(error.cause));
    return {true, QString()};
}

}  // namespace cdz
