#pragma once
// The wizard's track form: one track of the list added or changed, with an artist field for
// compilations ("UpdateAddWizard") and without one for single-artist albums
// ("UpdateAddWizardNoArtist"). A new track takes the next track number of the run. Title, time
// and track offer Ditto (Ctrl+'), the value of the track before.
#include <QDialog>

#include "app/albums/wizard/TrackList.h"

class QLineEdit;
class QSpinBox;

namespace cdz {

class AppState;

class TrackForm : public QDialog {
    Q_OBJECT
public:
    // `track.recno` 0 adds a track; otherwise the track is changed.
    TrackForm(AppState& state, const TrackList& list, bool withArtist, WizardTrack track,
              QWidget* parent);

    // The track as written (number and position filled for an added one).
    const WizardTrack& track() const { return track_; }

    // A time value shown as the form shows it (hh:mm:ss, blank for none) and read back.
    static QString timeText(int32_t time);
    static int32_t timeValue(const QString& text);

protected:
    void done(int result) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class Saved { Yes, Stay, Abandon };
    Saved save();
    // Ctrl+' in a field: it takes the value of the track before this one.
    void ditto(QWidget* field);
    const char* section() const;

    AppState& state_;
    const TrackList& list_;
    bool withArtist_;
    WizardTrack track_;
    QLineEdit* artist_ = nullptr;
    QLineEdit* title_ = nullptr;
    QLineEdit* time_ = nullptr;
    QSpinBox* number_ = nullptr;
};

}  // namespace cdz
