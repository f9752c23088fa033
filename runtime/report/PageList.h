#pragma once
// A report's finished pages, spooled to a temporary file as they are made so that memory stays
// flat however many pages there are; only an index of page offsets stays in memory. Reading a
// page back decodes that page alone. The spool goes with the list, and removeLeftovers clears
// the spools of programs that died mid-report.
#include <QString>
#include <QTemporaryFile>
#include <optional>
#include <vector>

#include "runtime/report/PageItems.h"
#include "runtime/report/PageSource.h"

namespace cdz {

class PageList : public PageSource {
public:
    // Spool files are named "cdzpages-<pid>-<unique>.spool" in `folder`.
    explicit PageList(const QString& folder);
    ~PageList() override = default;
    PageList(const PageList&) = delete;
    PageList& operator=(const PageList&) = delete;

    // False when the spool could not be made; errorString() says why.
    bool isOpen() const { return open_; }
    QString errorString() const { return error_; }
    QString spoolPath() const { return file_.fileName(); }

    // Writes a finished page to the spool; false (with errorString) when the disk refuses it.
    bool append(const Page& page);
    // The page read back, or nothing when the spool cannot be read or the page is damaged.
    std::optional<Page> page(int index) const;

    int pageCount() const override { return static_cast<int>(offsets_.size()); }
    QSizeF pageSize(int page) const override;
    void draw(PageCanvas& canvas, int page, const QRectF& target) const override;

    // Deletes the spools in `folder` whose writing process no longer runs; returns how many.
    static int removeLeftovers(const QString& folder);

private:
    std::optional<QByteArray> readRecord(int index, qint64 limit) const;

    mutable QTemporaryFile file_;
    std::vector<qint64> offsets_;
    qint64 end_ = 0;
    bool open_ = false;
    QString error_;
};

}  // namespace cdz
