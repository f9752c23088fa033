#include "app/songs/csv/CsvProgressWindow.h"

#include <QVBoxLayout>

#include "runtime/ui/ProgressPanel.h"
#include "runtime/ui/SlicedRun.h"

namespace cdz {

CsvProgressWindow::CsvProgressWindow(const QString& title, const QString& caption, QWidget* parent)
    : QDialog(parent), panel_(new ProgressPanel({caption}, this)) {
    setObjectName("CsvProgress");
    setWindowTitle(title);
    (new QVBoxLayout(this))->addWidget(panel_);
    setMinimumWidth(260);
    connect(panel_, &ProgressPanel::cancelPressed, this, &CsvProgressWindow::reject);
}

CsvProgressWindow::~CsvProgressWindow() = default;

void CsvProgressWindow::run(Work work) {
    work_ = std::move(work);
    run_ = std::make_unique<SlicedRun>(SlicedWork{work_.step, work_.percent});
    panel_->follow(*run_);
    connect(run_.get(), &SlicedRun::ended, this, [this](SlicedRun::End how) {
        if (how != SlicedRun::End::Completed) return;
        if (work_.completed && work_.completed()) panel_->showCompleted();
        accept();
    });
    run_->start();
    exec();
}

QString CsvProgressWindow::percentText() const {
    return panel_->percentText();
}

void CsvProgressWindow::reject() {
    if (run_ && run_->hasEnded()) return;
    if (run_) run_->cancel();
    if (work_.cancel) work_.cancel();
    QDialog::reject();
}

}  // namespace cdz
