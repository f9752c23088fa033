#include "runtime/report/PdfExport.h"

#include <QDir>
#include <QFile>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include "runtime/ini/ReplacingFile.h"

namespace cdz {
namespace {

QPageLayout layoutFor(QSizeF points) {
    return QPageLayout(QPageSize(points, QPageSize::Point, QString(), QPageSize::ExactMatch),
                       QPageLayout::Portrait, QMarginsF(0, 0, 0, 0), QPageLayout::Point);
}

PdfOutcome failed(const QString& path, const QString& why) {
    return {false, QStringLiteral("Cannot write the PDF file %1: %2")
                       .arg(QDir::toNativeSeparators(path), why)};
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
    {
        QPdfWriter writer(&file);
        writer.setPageLayout(layoutFor(pages.pageSize(0)));
        const qreal pixelsPerPoint = writer.resolution() / 72.0;
        QPainter painter;
        if (!painter.begin(&writer))
            return failed(path, QStringLiteral("the PDF could not start."));
        for (int n = 0; n < pages.pageCount(); ++n) {
            const QSizeF size = pages.pageSize(n);
            if (n > 0) {
                writer.setPageLayout(layoutFor(size));
                writer.newPage();
            }
            pages.render(painter, n, QRectF(QPointF(0, 0), size * pixelsPerPoint));
        }
        painter.end();
    }
    if (!file.flush() || file.error() != QFileDevice::NoError)
        return failed(path, file.errorString());
    file.close();
    if (const FileError error = target.commit())
        return failed(path, QString::fromStdString(error.cause));
    return {true, QString()};
}

}  // namespace cdz
