#include "app/playlists/ChartCopyWindow.h"

#include <QVBoxLayout>

#include "app/engine/state/AppState.h"
#include "runtime/ui/ProgressPanel.h"

namespace cdz {

ChartCopyWindow::ChartCopyWindow(AppState& state, int32_t playlist, QWidget* parent)
    : QDialog(parent),
      state_(state),
      copy_(state.catalogue(), playlist),
      panel_(new ProgressPanel({"Updating Chart", true}, this)),
      run_({[this] { return step(); }, [this] { return copy_.percent(); }}) {
    setObjectName("ChartCopyWindow");
    setWindowTitle("Processing Records");
    (new QVBoxLayout(this))->addWidget(panel_);
    panel_->follow(run_);
    connect(panel_, &ProgressPanel::cancelPressed, this, &ChartCopyWindow::reject);
    connect(&run_, &SlicedRun::ended, this, &ChartCopyWindow::end);
}

bool ChartCopyWindow::run(AppState& state, int32_t playlist, QWidget* parent) {
    if (state.dialogs().message("Warning", kQuestion, MessageIcon::None,
                                Buttons(Button::Ok) | Button::Cancel, Button::Ok) != Button::Ok) {
        return false;
    }
    ChartCopyWindow window(state, playlist, parent);
    window.setWindowModality(Qt::WindowModal);
    window.exec();
    return !window.copy_.failed();
}

void ChartCopyWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!shown_) {
        shown_ = true;
        run_.start();
    }
}

// Cancel stops the walk between batches; what was marked stays marked.
void ChartCopyWindow::reject() {
    run_.cancel();
}

bool ChartCopyWindow::step() {
    if (!started_) {
        started_ = true;
        if (!copy_.start()) {
            state_.error() = copy_.error();
            state_.warning()(Warning::RecordRetrievalError, "PlaylistDetails");
            return false;
        }
    }
    const bool more = copy_.step();
    if (copy_.failed()) {
        state_.error() = copy_.error();
        state_.warning()(Warning::ProcessError, "Put", "Process:View");
    }
    return more;
}

void ChartCopyWindow::end() {
    panel_->showCompleted();
    QDialog::reject();
}

}  // namespace cdz
