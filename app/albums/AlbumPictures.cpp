#include "app/albums/AlbumPictures.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QSaveFile>

namespace cdz {
namespace {

constexpr qint64 kLargestPicture = qint64{8} * 1024 * 1024;

QByteArray bytesOf(std::string_view text) {
    return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

AlbumPictures::AlbumPictures(const std::filesystem::path& dataFolder)
    : folder_(dataFolder / "Pictures") {}

std::string AlbumPictures::store(std::string_view artist, std::string_view title,
                                 const AudioPicture& picture, int longest, std::string* why) const {
    QByteArray bytes = bytesOf(picture.bytes);
    QBuffer buffer(&bytes);
    QImageReader reader(&buffer);
    const QByteArray format = reader.format();
    if (format.isEmpty() || reader.read().isNull()) {
        *why = "the picture is not one the program can show";
        return {};
    }
    QCryptographicHash name(QCryptographicHash::Sha256);
    name.addData(bytesOf(artist));
    name.addData(QByteArrayView("|", 1));
    name.addData(bytesOf(title));
    const QString extension = format == "jpeg" ? QStringLiteral("jpg") : QString(format);
    const QString path =
        QDir(QString::fromStdString(folder_.string()))
            .absoluteFilePath(QString(name.result().toHex().left(16)) + "." + extension);
    if (path.size() > longest) {
        *why = "the picture's path is longer than " + std::to_string(longest) + " characters";
        return {};
    }
    // Written once: the album's picture stays as the first file gave it.
    if (QFile::exists(path)) return path.toStdString();
    QSaveFile out(path);
    if (!QDir().mkpath(QString::fromStdString(folder_.string())) ||
        !out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.commit()) {
        *why = "cannot write " + path.toStdString() + ": " + out.errorString().toStdString();
        return {};
    }
    return path.toStdString();
}

bool AlbumPictures::load(const std::filesystem::path& file, AudioPicture& picture,
                         std::string* why) {
    QFile in(QString::fromStdString(file.string()));
    if (!in.open(QIODevice::ReadOnly)) {
        *why = in.errorString().toStdString();
        return false;
    }
    if (in.size() > kLargestPicture) {
        *why = "larger than 8 MB";
        return false;
    }
    const QByteArray bytes = in.readAll();
    picture.bytes.assign(bytes.constData(), static_cast<size_t>(bytes.size()));
    picture.mimeType.clear();
    return true;
}

}  // namespace cdz
