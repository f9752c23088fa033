#include "runtime/report/PdfFile.h"

#include <cerrno>
#include <cstring>

namespace cdz {
namespace {

// Fast enough for pages by the thousands (about 0.2 ms a page of report text), and nearly all
// that deflate saves on it (level 6 saves another 6 % at a third more time).
constexpr int kCompression = 4;

}  // namespace

PdfFile::PdfFile(QIODevice& out) : out_(out) {
    put("%PDF-1.4\n%\xe2\xe3\xcf\xd3\n");
}

void PdfFile::put(const QByteArray& bytes) {
    // A short write is tried again for the rest, so that the device tells why it stopped.
    for (qsizetype done = 0; done < bytes.size() && !failed_;) {
        errno = 0;
        const qint64 wrote = out_.write(bytes.constData() + done, bytes.size() - done);
        if (wrote <= 0) {
            // The system's reason where there is one: a file device may report none.
            const int reason = errno;
            failed_ = true;
            why_ = reason ? QString::fromLocal8Bit(std::strerror(reason)) : out_.errorString();
        }
        done += wrote;
    }
    at_ += bytes.size();
}

int PdfFile::reserve() {
    offsets_.push_back(-1);
    return static_cast<int>(offsets_.size() - 1);
}

void PdfFile::begin(int number) {
    offsets_[static_cast<std::size_t>(number)] = at_;
    put(QByteArray::number(number) + " 0 obj\n");
}

void PdfFile::object(int number, const QByteArray& body) {
    begin(number);
    put(body + "\nendobj\n");
}

void PdfFile::stream(int number, const QByteArray& entries, const QByteArray& data) {
    // qCompress puts the length before the zlib stream; the stream alone is what PDF reads.
    const QByteArray packed = qCompress(data, kCompression).mid(4);
    begin(number);
    put("<< " + entries + " /Length " + QByteArray::number(packed.size()) +
        " /Filter /FlateDecode >>\nstream\n");
    put(packed);
    put("\nendstream\nendobj\n");
}

int PdfFile::stream(const QByteArray& entries, const QByteArray& data) {
    const int number = reserve();
    stream(number, entries, data);
    return number;
}

void PdfFile::finish(int root) {
    const qint64 table = at_;
    QByteArray xref = "xref\n0 " + QByteArray::number(qulonglong(offsets_.size())) + "\n";
    xref.reserve(xref.size() + static_cast<qsizetype>(offsets_.size()) * 20);
    xref += "0000000000 65535 f \n";
    for (std::size_t n = 1; n < offsets_.size(); ++n) {
        if (offsets_[n] < 0 && !failed_) {
            failed_ = true;
            why_ = QStringLiteral("object %1 was never written.").arg(n);
        }
        xref += QByteArray::number(std::max<qint64>(offsets_[n], 0)).rightJustified(10, '0') +
                " 00000 n \n";
    }
    put(xref);
    put("trailer\n<< /Size " + QByteArray::number(qulonglong(offsets_.size())) + " /Root " +
        QByteArray::number(root) + " 0 R >>\nstartxref\n" + QByteArray::number(table) +
        "\n%%EOF\n");
}

}  // namespace cdz
