#pragma once
// The progress window of a housekeeping pass: the pass's caption, the percent done, a bar and
// Cancel. It does the pass's batches in slices on the event loop, so the other windows stay
// live, and tells the user of a failed read or write and of albums that were not made.
#include <QDialog>

#include "app/albums/maintenance/MaintenanceRun.h"
#include "runtime/ui/SlicedRun.h"

namespace cdz {

class AppState;
class ProgressPanel;

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
    bool step();
    void cancel();
    void end();
    void tellFailedAlbums();

    AppState& state_;
    MaintenanceRun run_;
    ProgressPanel* panel_;
    SlicedRun slices_;
    bool shown_ = false;
    bool started_ = false;
};

}  // namespace cdz
