#include "app/albums/maintenance/MaintenanceWindow.h"

#include <QPushButton>
#include <QVBoxLayout>

#include "app/engine/state/AppState.h"
#include "runtime/ui/ProgressPanel.h"

namespace cdz {

namespace {
constexpr size_t kFailedAlbumsListed = 10;

}  // namespace

MaintenanceWindow::MaintenanceWindow(AppState& state, MaintenancePass pass, QWidget* parent,
                                     int batchSize)
    : QDialog(parent),
      state_(state),
      run_(state.catalogue(), pass, batchSize),
      panel_(
          new ProgressPanel({QString::fromUtf8(run_.info().caption.data(),
                                               static_cast<qsizetype>(run_.info().caption.size())),
                             true, true, 3},
                            this)),
      slices_({[this] { return step(); }, [this] { return run_.percent(); }}) {
    setObjectName("MaintenanceWindow");
    setWindowTitle(tr("Progress..."));
    (new QVBoxLayout(this))->addWidget(panel_);
    panel_->follow(slices_);
    connect(panel_, &ProgressPanel::cancelPressed, this, &MaintenanceWindow::cancel);
    connect(&slices_, &SlicedRun::ended, this, &MaintenanceWindow::end);
}

void MaintenanceWindow::run(AppState& state, MaintenancePass pass, QWidget* parent) {
    MaintenanceWindow window(state, pass, parent);
    // Only the window that asked waits for the pass; the others stay usable between batches.
    window.setWindowModality(Qt::WindowModal);
    window.exec();
}

void MaintenanceWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    setWindowTitle(tr("Processing Records"));
    if (!shown_) {
        shown_ = true;
        slices_.start();
    }
}

void MaintenanceWindow::reject() {
    if (run_.ended()) {
        QDialog::reject();
        return;
    }
    cancel();
}

// The pass stops after its current batch, which stays whole.
void MaintenanceWindow::cancel() {
    panel_->cancelButton()->setEnabled(false);
    run_.cancel();
}

bool MaintenanceWindow::step() {
    if (!started_) {
        started_ = true;
        if (!run_.start()) return false;
    }
    return run_.step();
}

void MaintenanceWindow::end() {
    panel_->showCompleted();
    const MaintenanceFault& fault = run_.fault();
    if (fault) {
        state_.error() = run_.faultError();
        if (fault.kind == FaultKind::Read) {
            state_.warning()(Warning::RecordRetrievalError, catalogueFileInfo(fault.file).label);
        } else {
            state_.warning()(Warning::ProcessError, "Put", "Process:View");
        }
    }
    tellFailedAlbums();
    accept();
}

void MaintenanceWindow::tellFailedAlbums() {
    const auto& failed = run_.tally().failedAlbums;
    if (failed.empty()) return;
    std::string text = std::to_string(failed.size()) +
                       (failed.size() == 1 ? " album could not be created; its songs were left "
                                             "on no album:"
                                           : " albums could not be created; their songs were "
                                             "left on no album:");
    for (size_t i = 0; i < failed.size() && i < kFailedAlbumsListed; ++i) {
        text += "|" + failed[i].artist + " - " + failed[i].album + " (" + failed[i].error + ")";
    }
    if (failed.size() > kFailedAlbumsListed) text += "|...";
    state_.dialogs().message("Albums Not Created", text, MessageIcon::Warning, Button::Ok,
                             Button::Ok);
}

}  // namespace cdz
