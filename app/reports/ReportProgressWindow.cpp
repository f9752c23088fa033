#include "app/reports/ReportProgressWindow.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "runtime/ui/Dialogs.h"

namespace cdz {
namespace {

// Records per batch, and how long one slice of the timer may work before the window gets a
// turn: short enough that Cancel and redraws are noticed at once.
constexpr int kBatch = 25;
constexpr qint64 kSliceMs = 40;

}  // namespace

ReportProgressWindow::ReportProgressWindow(Dialogs& dialogs, bool previewing,
                                           const QString& fileName, QWidget* parent)
    : QDialog(parent), dialogs_(dialogs), previewing_(previewing) {
    setObjectName("ReportProgress");
    setWindowTitle(previewing ? "Generating Report" : "Printing Report");
    setAttribute(Qt::WA_DeleteOnClose, false);
    auto* column = new QVBoxLayout(this);
    percent_ = new QLabel("0% Completed", this);
    percent_->setObjectName("PercentText");
    percent_->setAlignment(Qt::AlignCenter);
    auto* file = new QLabel(fileName, this);
    file->setObjectName("FileNameText");
    file->setAlignment(Qt::AlignCenter);
    cancel_ = new QPushButton("Cancel", this);
    cancel_->setObjectName("CancelButton");
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(cancel_);
    row->addStretch();
    column->addWidget(percent_);
    column->addWidget(file);
    column->addLayout(row);
    setMinimumWidth(260);
    connect(cancel_, &QPushButton::clicked, this, &ReportProgressWindow::cancel);
    timer_ = new QTimer(this);
    timer_->setInterval(0);
    connect(timer_, &QTimer::timeout, this, &ReportProgressWindow::slice);
}

void ReportProgressWindow::run(Work work) {
    work_ = std::move(work);
    shown_ = -1;
    showPercent();
    timer_->start();
}

QString ReportProgressWindow::percentText() const {
    return percent_->text();
}

void ReportProgressWindow::showPercent() {
    const int now = work_.percent ? work_.percent() : 0;
    if (now == shown_) return;
    shown_ = now;
    percent_->setText(QString::number(now) + "% Completed");
    percent_->repaint();
}

void ReportProgressWindow::slice() {
    if (ended_ || asking_) return;
    QElapsedTimer clock;
    clock.start();
    bool more = true;
    // A Cancel answered meanwhile (the questions run their own event loop) ends the slice.
    do {
        for (int i = 0; i < kBatch && more && !ended_; ++i) more = work_.step();
    } while (more && !ended_ && clock.elapsed() < kSliceMs);
    if (ended_) return;
    showPercent();
    if (!more) end(End::Completed);
}

void ReportProgressWindow::cancel() {
    if (ended_ || asking_) return;
    asking_ = true;
    timer_->stop();
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
    } else if (!ended_) {
        timer_->start();
    }
}

void ReportProgressWindow::reject() {
    cancel();
}

void ReportProgressWindow::end(End how) {
    if (ended_) return;
    ended_ = true;
    timer_->stop();
    hide();
    emit ended(how);
}

}  // namespace cdz
