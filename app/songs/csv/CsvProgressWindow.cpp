#include "app/songs/csv/CsvProgressWindow.h"

#include <QElapsedTimer>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace cdz {
namespace {

// How long one slice may work before the window gets a turn: short enough that Cancel and
// redraws are noticed at once.
constexpr qint64 kSliceMs = 50;

}  // namespace

CsvProgressWindow::CsvProgressWindow(const QString& title, const QString& caption, QWidget* parent)
    : QDialog(parent) {
    setObjectName("CsvProgress");
    setWindowTitle(title);
    auto* column = new QVBoxLayout(this);
    if (!caption.isEmpty()) {
        auto* text = new QLabel(caption, this);
        text->setAlignment(Qt::AlignCenter);
        column->addWidget(text);
    }
    percent_ = new QLabel("0% Completed", this);
    percent_->setObjectName("PercentText");
    percent_->setAlignment(Qt::AlignCenter);
    cancel_ = new QPushButton("Cancel", this);
    cancel_->setObjectName("CancelButton");
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(cancel_);
    row->addStretch();
    column->addWidget(percent_);
    column->addLayout(row);
    setMinimumWidth(260);
    connect(cancel_, &QPushButton::clicked, this, &CsvProgressWindow::reject);
    timer_ = new QTimer(this);
    timer_->setInterval(0);
    connect(timer_, &QTimer::timeout, this, &CsvProgressWindow::slice);
}

void CsvProgressWindow::run(Work work) {
    work_ = std::move(work);
    ended_ = false;
    shown_ = -1;
    showPercent();
    timer_->start();
    exec();
}

QString CsvProgressWindow::percentText() const {
    return percent_->text();
}

void CsvProgressWindow::showPercent() {
    const int now = work_.percent ? work_.percent() : 0;
    if (now == shown_) return;
    shown_ = now;
    percent_->setText(QString::number(now) + "% Completed");
}

void CsvProgressWindow::slice() {
    if (ended_) return;
    QElapsedTimer clock;
    clock.start();
    bool more = true;
    while (more && clock.elapsed() < kSliceMs) more = work_.step();
    showPercent();
    if (more) return;
    ended_ = true;
    timer_->stop();
    if (work_.completed && work_.completed()) percent_->setText("Process Completed");
    accept();
}

void CsvProgressWindow::reject() {
    if (ended_) return;
    ended_ = true;
    timer_->stop();
    if (work_.cancel) work_.cancel();
    QDialog::reject();
}

}  // namespace cdz
