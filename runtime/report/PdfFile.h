#pragma once
// The objects of a PDF file written one after another to a device, with the table of where each
// begins at the end. Objects may be numbered before they are written (a page names the shared
// resources, written last).
#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <vector>

namespace cdz {

class PdfFile {
public:
    explicit PdfFile(QIODevice& out);

    int reserve();
    void object(int number, const QByteArray& body);
    // A stream object: `entries` are its dictionary's own entries; the data is compressed.
    void stream(int number, const QByteArray& entries, const QByteArray& data);
    int stream(const QByteArray& entries, const QByteArray& data);
    // The cross-reference table and trailer, with `root` as the document's catalogue.
    void finish(int root);
    bool failed() const { return failed_; }
    // Why the file stopped being written, in the system's words.
    const QString& why() const { return why_; }

private:
    void put(const QByteArray& bytes);
    void begin(int number);

    QIODevice& out_;
    std::vector<qint64> offsets_{0};
    qint64 at_ = 0;
    bool failed_ = false;
    QString why_;
};

}  // namespace cdz
