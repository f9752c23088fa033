#pragma once
// The album's associated files on its form: the picture shown from its file, the sound file
// played, and the file chooser for the picture. A file that is missing or cannot be played is
// said so plainly.
#include <QObject>
#include <QPointer>

#include <memory>
#include <string>

class QLabel;
class QPushButton;
class QSoundEffect;

namespace cdz {

class AppState;

class AlbumAttachments : public QObject {
    Q_OBJECT
public:
    explicit AlbumAttachments(AppState& state, QObject* parent = nullptr);
    ~AlbumAttachments() override;

    // The controls, made on the form's page.
    QLabel* makeImage(QWidget* parent);
    QPushButton* makePlay(QWidget* parent);

    // After the album's buffer changed: the picture of its file, the play button enabled only
    // while a sound file is named.
    void refresh();
    // Plays the sound file; a missing or unplayable one gives "Could not play <path>." with
    // the reason. False when it could not start.
    bool play();
    // The file chooser; a file chosen replaces the picture's path. False when none was chosen.
    bool chooseImage();

    // What the picture control shows now ("" when the file gave no picture).
    const std::string& shownImage() const { return shown_; }

private:
    void cannotPlay(const std::string& path, const std::string& why);

    AppState& state_;
    QPointer<QLabel> image_;
    QPointer<QPushButton> play_;
    std::unique_ptr<QSoundEffect> sound_;
    std::string shown_;
};

}  // namespace cdz
