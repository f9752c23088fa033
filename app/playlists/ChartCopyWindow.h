#pragma once
// The chart copy from the playlist form: asks first, then marks the playlist's entries under a
// progress window ("Processing Records", "Updating Chart") in slices on the event loop, so that
// Cancel can stop it between batches.
#include <QDialog>

#include "app/playlists/ChartCopy.h"
#include "runtime/ui/SlicedRun.h"

namespace cdz {

class AppState;
class ProgressPanel;

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
    bool step();
    void end();

    AppState& state_;
    ChartCopy copy_;
    ProgressPanel* panel_;
    SlicedRun run_;
    bool shown_ = false;
    bool started_ = false;
};

}  // namespace cdz
