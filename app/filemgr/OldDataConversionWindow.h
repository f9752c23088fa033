#pragma once
// The progress window of the old-data conversion ("Processing Records"): it converts old songs
// in slices on the event loop so the program stays responsive, shows the share done, and closes
// itself when the conversion has ended. Closing it early stops after the current batch.
#include <QWidget>

#include <memory>

#include "app/filemgr/OldSongConverter.h"
#include "runtime/ui/SlicedRun.h"

namespace cdz {

class AppState;
class ProgressPanel;

class OldDataConversionWindow final : public QWidget {
    Q_OBJECT
public:
    static constexpr int kBatch = 25;

    // The window for the procedure starter, nullptr when there is nothing to convert.
    static QWidget* create(AppState& state, QWidget* parent);

    OldDataConversionWindow(std::unique_ptr<OldSongConverter> converter, QWidget* parent);
    ~OldDataConversionWindow() override;

    // Converts everything left at once, as the slices would (for tests).
    void runToEnd();
    const OldSongConverter& converter() const { return *converter_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void ended(SlicedRun::End how);

    std::unique_ptr<OldSongConverter> converter_;
    ProgressPanel* panel_;
    SlicedRun slices_;
};

}  // namespace cdz
