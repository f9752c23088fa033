#include "app/reports/ReportProgressWindow.h"

#include <QVBoxLayout>

#include <chrono>
#include <optional>

#include "runtime/ui/Dialogs.h"
#include "runtime/ui/ProgressPanel.h"
#include "runtime/ui/SlicedRun.h"

namespace cdz {

ReportProgressWindow::ReportProgressWindow(Dialogs& dialogs, bool previewing,
                                           const QString& fileName, QWidget* parent)
    : QDialog(parent),
      dialogs_(dialogs),
      previewing_(previewing),
      panel_(new ProgressPanel({}, this)) {
    setObjectName("ReportProgress");
    setWindowTitle(previewing ? "Generating Report" : "Printing Report");
    setAttribute(Qt::WA_DeleteOnClose, false);
    panel_->addLine("FileNameText", fileName);
    (new QVBoxLayout(this))->addWidget(panel_);
    setMinimumWidth(260);
    connect(panel_, &ProgressPanel::cancelPressed, this, &ReportProgressWindow::cancel);
}

void ReportProgressWindow::run(Work work) {
    work_ = std::move(work);
    // Short slices: a report's steps are cheap, and Cancel should answer at once.
    run_ = new SlicedRun({work_.step, work_.percent}, this, std::chrono::milliseconds(40));
    panel_->follow(*run_);
    connect(run_, &SlicedRun::ended, this, [this](SlicedRun::End how) {
        if (how == SlicedRun::End::Completed) end(End::Completed);
    });
    run_->start();
}

QString ReportProgressWindow::percentText() const {
    return panel_->percentText();
}

void ReportProgressWindow::cancel() {
    if (ended_ || asking_) return;
    asking_ = true;
    if (run_) run_->pause();
    const Button sure =
        dialogs_.message("Question", "Are you sure you want to CANCEL this Report?",
                         MessageIcon::Question, Button::Yes | Button::No, Button::No);
    std::optional<End> how;
    if (sure == Button::Yes) {
        how = End::Cancelled;
        if (previewing_ && work_.hasPages && work_.hasPages()) {
            const Button partial = dialogs_.message(
                "Question", "Report Cancellation Requested!| |Preview Report generated so far?",
                MessageIcon::Question, Button::Yes | Button::No | Button::Ignore, Button::No);
            if (partial == Button::Yes) how = End::PreviewSoFar;
            if (partial == Button::Ignore) how.reset();
        }
    }
    asking_ = false;
    if (how) {
        end(*how);
    } else if (!ended_ && run_) {
        run_->resume();
    }
}

void ReportProgressWindow::stop() {
    ended_ = true;
    if (run_) run_->cancel();
    hide();
}

void ReportProgressWindow::reject() {
    cancel();
}

void ReportProgressWindow::end(End how) {
    if (ended_) return;
    ended_ = true;
    if (run_) run_->cancel();  // no step after this, however the report ended
    hide();
    emit ended(how);
}

}  // namespace cdz
