#include "runtime/ui/ProgressPanel.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "runtime/ui/SlicedRun.h"

namespace cdz {

ProgressPanel::ProgressPanel(const Look& look, QWidget* parent) : QWidget(parent), look_(look) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    if (!look.caption.isEmpty()) {
        auto* caption = new QLabel(look.caption, this);
        caption->setObjectName("Caption");
        caption->setAlignment(Qt::AlignCenter);
        column->addWidget(caption);
    }
    percent_ = new QLabel(this);
    percent_->setObjectName("PercentText");
    percent_->setAlignment(Qt::AlignCenter);
    column->addWidget(percent_);
    if (look.bar) {
        bar_ = new QProgressBar(this);
        bar_->setObjectName("ProgressBar");
        bar_->setRange(0, 100);
        column->addWidget(bar_);
    }
    if (look.cancel) {
        cancel_ = new QPushButton(tr("Cancel"), this);
        cancel_->setObjectName("CancelButton");
        auto* row = new QHBoxLayout;
        row->addStretch();
        row->addWidget(cancel_);
        row->addStretch();
        column->addLayout(row);
        connect(cancel_, &QPushButton::clicked, this, &ProgressPanel::cancelPressed);
    }
    showPercent(0);
}

void ProgressPanel::follow(const SlicedRun& run) {
    connect(&run, &SlicedRun::progressed, this, &ProgressPanel::showPercent);
}

void ProgressPanel::showPercent(int percent) {
    if (percent == shown_) return;
    shown_ = percent;
    percent_->setText(QStringLiteral("%1% Completed").arg(percent, look_.percentWidth));
    if (bar_) bar_->setValue(percent);
    // A slice may keep the event loop busy a while: the new figure shows now.
    percent_->repaint();
}

void ProgressPanel::showCompleted() {
    shown_ = 100;
    percent_->setText(tr("Process Completed"));
    if (bar_) bar_->setValue(100);
    if (cancel_) cancel_->setEnabled(false);
}

void ProgressPanel::addLine(const QString& objectName, const QString& text) {
    auto* line = new QLabel(text, this);
    line->setObjectName(objectName);
    line->setAlignment(Qt::AlignCenter);
    auto* column = static_cast<QVBoxLayout*>(layout());
    // Under the figure and the bar, above Cancel.
    column->insertWidget(column->indexOf(bar_ ? static_cast<QWidget*>(bar_) : percent_) + 1, line);
}

QString ProgressPanel::percentText() const {
    return percent_->text();
}

}  // namespace cdz
