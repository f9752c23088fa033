#include "runtime/report/PageList.h"

#include <unistd.h>
#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QtEndian>
#include <cerrno>
#include <csignal>

#include "runtime/report/PageCodec.h"
#include "runtime/report/PageRenderer.h"

namespace cdz {
namespace {

constexpr char kMagic[8] = {'C', 'D', 'Z', 'P', 'A', 'G', 'E', 'S'};
constexpr quint32 kFormatVersion = 2;
constexpr qint64 kHeaderBytes = sizeof(kMagic) + sizeof(quint32);
constexpr qint64 kLengthBytes = sizeof(quint32);
const QString kPrefix = QStringLiteral("cdzpages-");
const QString kSuffix = QStringLiteral(".spool");

bool processRuns(pid_t pid) {
    // EPERM: the process exists but belongs to someone else.
    return ::kill(pid, 0) == 0 || errno == EPERM;
}

}  // namespace

PageList::PageList(const QString& folder)
    : file_(QDir(folder).filePath(kPrefix + QString::number(::getpid()) + "-XXXXXX" + kSuffix)) {
    if (!file_.open()) {
        error_ = QStringLiteral("Cannot create the page spool in %1: %2")
                     .arg(QDir::toNativeSeparators(folder), file_.errorString());
        return;
    }
    // Asking the name gives the file one: Qt may otherwise keep it unnamed, where a leftover
    // could never be told from a live spool by the pid in its name.
    (void)file_.fileName();
    quint32 version = qToBigEndian(kFormatVersion);
    if (file_.write(kMagic, sizeof(kMagic)) != sizeof(kMagic) ||
        file_.write(reinterpret_cast<const char*>(&version), sizeof(version)) != sizeof(version)) {
        error_ = QStringLiteral("Cannot write the page spool %1: %2")
                     .arg(QDir::toNativeSeparators(file_.fileName()), file_.errorString());
        return;
    }
    end_ = kHeaderBytes;
    open_ = true;
}

bool PageList::append(const Page& page) {
    if (!open_) return false;
    const QByteArray bytes = PageCodec::encode(page);
    const quint32 length = qToBigEndian(quint32(bytes.size()));
    if (!file_.seek(end_) ||
        file_.write(reinterpret_cast<const char*>(&length), kLengthBytes) != kLengthBytes ||
        file_.write(bytes) != bytes.size() || !file_.flush()) {
        error_ = QStringLiteral("Cannot write page %1 to the page spool %2: %3")
                     .arg(pageCount() + 1)
                     .arg(QDir::toNativeSeparators(file_.fileName()), file_.errorString());
        // The next page starts where this one should have: a half-written record is overwritten.
        return false;
    }
    // Flushed page by page, so that a full disk is reported at the page it refused.
    offsets_.push_back(end_);
    end_ += kLengthBytes + bytes.size();
    return true;
}

std::optional<QByteArray> PageList::readRecord(int index, qint64 limit) const {
    if (!open_ || index < 0 || index >= pageCount()) return std::nullopt;
    const qint64 offset = offsets_[std::size_t(index)];
    quint32 length = 0;
    if (!file_.seek(offset) ||
        file_.read(reinterpret_cast<char*>(&length), kLengthBytes) != kLengthBytes)
        return std::nullopt;
    length = qFromBigEndian(length);
    const qint64 want = std::min<qint64>(length, limit);
    if (offset + kLengthBytes + want > end_) return std::nullopt;
    QByteArray bytes = file_.read(want);
    if (bytes.size() != want) return std::nullopt;
    return bytes;
}

std::optional<Page> PageList::page(int index) const {
    const auto bytes = readRecord(index, end_);
    return bytes ? PageCodec::decode(*bytes) : std::nullopt;
}

QSizeF PageList::pageSize(int index) const {
    const auto bytes = readRecord(index, PageCodec::kSizeBytes);
    const auto sized = bytes ? PageCodec::decodeSize(*bytes) : std::nullopt;
    return sized ? QSizeF(sized->width.points(), sized->height.points()) : QSizeF();
}

void PageList::draw(PageCanvas& canvas, int index, const QRectF& target) const {
    if (const auto p = page(index)) renderPage(canvas, *p, target);
}

int PageList::removeLeftovers(const QString& folder) {
    int removed = 0;
    const QDir dir(folder);
    for (const QFileInfo& info : dir.entryInfoList({kPrefix + "*" + kSuffix}, QDir::Files)) {
        const QString rest = info.fileName().mid(kPrefix.size());
        bool isNumber = false;
        const long pid = rest.section('-', 0, 0).toLong(&isNumber);
        if (!isNumber || pid <= 0 || pid == ::getpid() || processRuns(pid_t(pid))) continue;
        if (QFile::remove(info.filePath())) ++removed;
    }
    return removed;
}

}  // namespace cdz
