#include "app/filemgr/OldDataConversionWindow.h"

#include <QCloseEvent>
#include <QTimer>
#include <QVBoxLayout>

#include "app/engine/state/AppState.h"
#include "runtime/ui/ProgressPanel.h"

namespace cdz {

QWidget* OldDataConversionWindow::create(AppState& state, QWidget* parent) {
    auto converter = std::make_unique<OldSongConverter>(state.catalogue(), state.warning());
    if (!converter->start()) return nullptr;
    return new OldDataConversionWindow(std::move(converter), parent);
}

OldDataConversionWindow::OldDataConversionWindow(std::unique_ptr<OldSongConverter> converter,
                                                 QWidget* parent)
    : QWidget(parent),
      converter_(std::move(converter)),
      panel_(new ProgressPanel({"Upgrading Files", true, false}, this)),
      slices_(
          {[this] { return converter_->step(kBatch); }, [this] { return converter_->percent(); }}) {
    setObjectName("OldDataConversion");
    setWindowTitle("Processing Records");
    (new QVBoxLayout(this))->addWidget(panel_);
    panel_->follow(slices_);
    connect(&slices_, &SlicedRun::ended, this, &OldDataConversionWindow::ended);
    slices_.start();
}

OldDataConversionWindow::~OldDataConversionWindow() = default;

void OldDataConversionWindow::ended(SlicedRun::End how) {
    if (how != SlicedRun::End::Completed) return;
    panel_->showCompleted();
    converter_->finish();
    // After this turn: the window may be closed from inside the slice that ended the run.
    QTimer::singleShot(0, this, &QWidget::close);
}

void OldDataConversionWindow::runToEnd() {
    slices_.finishNow();
}

void OldDataConversionWindow::closeEvent(QCloseEvent* event) {
    slices_.cancel();
    converter_->finish();
    event->accept();
}

}  // namespace cdz
