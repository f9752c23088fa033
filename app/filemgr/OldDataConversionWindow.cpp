#include "app/filemgr/OldDataConversionWindow.h"

#include <QCloseEvent>
#include <QLabel>
#include <QProgressBar>
#include <QTimer>
#include <QVBoxLayout>

#include "app/engine/state/AppState.h"

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
      percent_(new QLabel(this)),
      bar_(new QProgressBar(this)),
      timer_(new QTimer(this)) {
    setObjectName("OldDataConversion");
    setWindowTitle("Processing Records");
    auto* heading = new QLabel("Upgrading Files", this);
    heading->setObjectName("UserString");
    percent_->setObjectName("PctText");
    bar_->setObjectName("Progress");
    bar_->setRange(0, 100);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addWidget(bar_);
    layout->addWidget(percent_);
    showProgress();
    connect(timer_, &QTimer::timeout, this, &OldDataConversionWindow::batch);
    timer_->start(0);
}

OldDataConversionWindow::~OldDataConversionWindow() = default;

void OldDataConversionWindow::batch() {
    if (converter_->step(kBatch)) {
        showProgress();
        return;
    }
    timer_->stop();
    percent_->setText("Process Completed");
    bar_->setValue(100);
    converter_->finish();
    // After this tick: the window may be closed from inside its own timer slot.
    QTimer::singleShot(0, this, &QWidget::close);
}

void OldDataConversionWindow::runToEnd() {
    while (timer_->isActive()) batch();
}

void OldDataConversionWindow::showProgress() {
    const int pct = converter_->percent();
    bar_->setValue(pct);
    percent_->setText(QString("%1% Completed").arg(pct));
}

void OldDataConversionWindow::closeEvent(QCloseEvent* event) {
    timer_->stop();
    converter_->finish();
    event->accept();
}

}  // namespace cdz
