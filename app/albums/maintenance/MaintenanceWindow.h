#pragma once
// The progress window of a housekeeping pass: the pass's caption, the percent done, a bar and
// Cancel. It does one batch of the pass per turn of a zero-interval timer, so the other windows
// stay live, and tells the user of a failed read or write and of albums that were not made.
#include <QDialog>
#include <QTimer>

#include "app/albums/maintenance/MaintenanceRun.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace cdz {

class AppState;

class MaintenanceWindow final : public QDialog {
    Q_OBJECT
public:
    MaintenanceWindow(AppState& state, MaintenancePass pass, QWidget* parent,
                      int batchSize = MaintenanceRun::kBatchSize);

    // Runs the pass under its window and returns when the pass has ended.
    static void run(AppState& state, MaintenancePass pass, QWidget* parent);

    const MaintenanceRun& pass() const { return run_; }

protected:
    void showEvent(QShowEvent* event) override;
    // Escape and the close button cancel, as the Cancel button does.
    void reject() override;

private:
    void turn();
    void showPercent();
    void end();
    void tellFailedAlbums();

    AppState& state_;
    MaintenanceRun run_;
    QLabel* caption_;
    QLabel* progress_;
    QProgressBar* bar_;
    QPushButton* cancel_;
    QTimer timer_;
    bool started_ = false;
    int shownPercent_ = -1;
};

}  // namespace cdz
