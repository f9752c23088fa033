#pragma once
// The chart copy from the playlist form: asks first, then marks the playlist's entries under a
// progress window ("Processing Records", "Updating Chart") a batch per timer turn, so that
// Cancel can stop it between batches.
#include <QDialog>
#include <QTimer>

#include "app/playlists/ChartCopy.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace cdz {

class AppState;

class ChartCopyWindow final : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* kQuestion =
        "This will copy the current chart standings into the notes field to be used as \"last "
        "week's chart positions\".";

    ChartCopyWindow(AppState& state, int32_t playlist, QWidget* parent);

    // Asks, then runs the copy; false when the user declined or the walk failed.
    static bool run(AppState& state, int32_t playlist, QWidget* parent);

protected:
    void showEvent(QShowEvent* event) override;
    void reject() override;

private:
    void turn();
    void end();

    AppState& state_;
    ChartCopy copy_;
    QLabel* progress_;
    QProgressBar* bar_;
    QPushButton* cancel_;
    QTimer timer_;
    bool started_ = false;
    bool ended_ = false;
};

}  // namespace cdz
