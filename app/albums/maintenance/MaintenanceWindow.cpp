#include "app/albums/maintenance/MaintenanceWindow.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/engine/state/AppState.h"

namespace cdz {

namespace {
constexpr size_t kFailedAlbumsListed = 10;

QString percentText(int percent) {
    return QStringLiteral("%1% Completed").arg(percent, 3);
}

}  // namespace

MaintenanceWindow::MaintenanceWindow(AppState& state, MaintenancePass pass, QWidget* parent,
                                     int batchSize)
    : QDialog(parent),
      state_(state),
      run_(state.catalogue(), pass, batchSize),
      caption_(new QLabel(QString::fromUtf8(run_.info().caption.data(),
                                            static_cast<qsizetype>(run_.info().caption.size())),
                          this)),
      progress_(new QLabel(percentText(0), this)),
      bar_(new QProgressBar(this)),
      cancel_(new QPushButton(tr("Cancel"), this)) {
    setObjectName("MaintenanceWindow");
    setWindowTitle(tr("Progress..."));
    caption_->setObjectName("Caption");
    progress_->setObjectName("ProgressText");
    bar_->setObjectName("ProgressBar");
    bar_->setRange(0, 100);
    bar_->setValue(0);
    cancel_->setObjectName("CancelButton");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(caption_);
    layout->addWidget(progress_);
    layout->addWidget(bar_);
    layout->addWidget(cancel_, 0, Qt::AlignHCenter);
    connect(cancel_, &QPushButton::clicked, this, [this] {
        cancel_->setEnabled(false);
        run_.cancel();
    });
    timer_.setInterval(0);
    connect(&timer_, &QTimer::timeout, this, &MaintenanceWindow::turn);
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
    if (!started_) {
        started_ = true;
        timer_.start();
    }
}

void MaintenanceWindow::reject() {
    if (run_.ended()) {
        QDialog::reject();
        return;
    }
    cancel_->setEnabled(false);
    run_.cancel();
}

void MaintenanceWindow::turn() {
    if (shownPercent_ < 0) {
        shownPercent_ = 0;
        if (!run_.start()) {
            end();
            return;
        }
    }
    const bool more = run_.step();
    showPercent();
    if (!more) end();
}

void MaintenanceWindow::showPercent() {
    const int percent = run_.percent();
    if (percent == shownPercent_) return;
    shownPercent_ = percent;
    progress_->setText(percentText(percent));
    bar_->setValue(percent);
}

void MaintenanceWindow::end() {
    timer_.stop();
    progress_->setText(tr("Process Completed"));
    cancel_->setEnabled(false);
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
