#include "app/albums/AlbumAttachments.h"

#include <QFileInfo>
#include <QImageReader>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QSoundEffect>
#include <QUrl>

#include "app/engine/state/AppState.h"
#include "runtime/text/Text.h"

namespace cdz {

AlbumAttachments::AlbumAttachments(AppState& state, QObject* parent)
    : QObject(parent), state_(state) {}

AlbumAttachments::~AlbumAttachments() = default;

QLabel* AlbumAttachments::makeImage(QWidget* parent) {
    image_ = new QLabel(parent);
    image_->setObjectName("AlbumImage");
    image_->setAlignment(Qt::AlignCenter);
    image_->setFrameShape(QFrame::StyledPanel);
    return image_;
}

QPushButton* AlbumAttachments::makePlay(QWidget* parent) {
    play_ = new QPushButton(parent);
    play_->setObjectName("PlayButton");
    play_->setText(QString::fromUtf8("\u25B6"));
    play_->setToolTip("Play the associated sound file");
    play_->setAutoDefault(false);
    connect(play_, &QPushButton::clicked, this, [this] { play(); });
    return play_;
}

void AlbumAttachments::refresh() {
    const AlbumRecord& album = state_.catalogue().album();
    if (play_) play_->setEnabled(!album.AssociatedWAVFile.clipped().empty());
    const std::string path(album.AssociatedImage.clipped());
    if (!image_) return;
    if (path == shown_ && !path.empty()) return;
    QImageReader reader(QString::fromStdString(path));
    reader.setAutoTransform(true);
    const QImage picture = path.empty() ? QImage() : reader.read();
    if (picture.isNull()) {
        shown_.clear();
        image_->setPixmap({});
        image_->setText(path.empty() ? QString() : QStringLiteral("No picture"));
        image_->setToolTip(path.empty() ? QString() : reader.errorString());
        return;
    }
    shown_ = path;
    image_->setToolTip(QString::fromStdString(path));
    image_->setPixmap(QPixmap::fromImage(picture).scaled(image_->size(), Qt::KeepAspectRatio,
                                                         Qt::SmoothTransformation));
}

void AlbumAttachments::cannotPlay(const std::string& path, const std::string& why) {
    state_.dialogs().message("Error", "Could not play " + path + ".|" + why, MessageIcon::Warning,
                             Button::Ok, Button::Ok);
}

bool AlbumAttachments::play() {
    const std::string path(state_.catalogue().album().AssociatedWAVFile.clipped());
    if (path.empty()) return false;
    const QFileInfo file(QString::fromStdString(path));
    if (!file.exists()) {
        cannotPlay(path, "The file does not exist.");
        return false;
    }
    if (!file.isFile() || !file.isReadable()) {
        cannotPlay(path, "The file cannot be read.");
        return false;
    }
    sound_ = std::make_unique<QSoundEffect>();
    QSoundEffect* sound = sound_.get();
    // Loading is asynchronous: the sound plays once loaded, or the user hears why not.
    connect(sound, &QSoundEffect::statusChanged, this, [this, sound, path] {
        if (sound != sound_.get()) return;
        if (sound->status() == QSoundEffect::Ready) sound->play();
        if (sound->status() == QSoundEffect::Error) {
            cannotPlay(path, "It is not a sound file this program can play (WAV).");
        }
    });
    sound->setSource(QUrl::fromLocalFile(file.absoluteFilePath()));
    return true;
}

bool AlbumAttachments::chooseImage() {
    AlbumRecord& album = state_.catalogue().album();
    const auto chosen = state_.dialogs().openFile("Choose a File", "All Files|*.*",
                                                  std::string(album.AssociatedImage.clipped()));
    if (!chosen) return false;
    // A path cut to the field's width would name another file.
    if (QString::fromStdString(*chosen).size() > album.AssociatedImage.width()) {
        state_.dialogs().message("Error",
                                 "The path of " + *chosen + " is longer than the " +
                                     std::to_string(album.AssociatedImage.width()) +
                                     " characters the album keeps.|Move or rename the file.",
                                 MessageIcon::Warning, Button::Ok, Button::Ok);
        return false;
    }
    album.AssociatedImage = *chosen;
    return true;
}

}  // namespace cdz
