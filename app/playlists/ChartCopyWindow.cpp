#include "app/playlists/ChartCopyWindow.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/engine/state/AppState.h"

namespace cdz {
namespace {

QString percentText(int percent) {
    return QStringLiteral("%1% Completed").arg(percent);
}

}  // namespace

ChartCopyWindow::ChartCopyWindow(AppState& state, int32_t playlist, QWidget* parent)
    : QDialog(parent),
      state_(state),
      copy_(state.catalogue(), playlist),
      progress_(new QLabel(percentText(0), this)),
      bar_(new QProgressBar(this)),
      cancel_(new QPushButton(tr("Cancel"), this)) {
    setObjectName("ChartCopyWindow");
    setWindowTitle("Processing Records");
    auto* caption = new QLabel("Updating Chart", this);
    caption->setObjectName("Caption");
    progress_->setObjectName("ProgressText");
    bar_->setRange(0, 100);
    bar_->setValue(0);
    cancel_->setObjectName("CancelButton");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(caption);
    layout->addWidget(progress_);
    layout->addWidget(bar_);
    layout->addWidget(cancel_, 0, Qt::AlignHCenter);
    connect(cancel_, &QPushButton::clicked, this, &ChartCopyWindow::reject);
    timer_.setInterval(0);
    connect(&timer_, &QTimer::timeout, this, &ChartCopyWindow::turn);
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
    if (!timer_.isActive() && !ended_) timer_.start();
}

// Cancel stops the walk between batches; what was marked stays marked.
void ChartCopyWindow::reject() {
    if (!ended_) end();
}

void ChartCopyWindow::turn() {
    if (!started_) {
        started_ = true;
        if (!copy_.start()) {
            state_.error() = copy_.error();
            state_.warning()(Warning::RecordRetrievalError, "PlaylistDetails");
            end();
            return;
        }
    }
    const bool more = copy_.step();
    progress_->setText(percentText(copy_.percent()));
    bar_->setValue(copy_.percent());
    if (copy_.failed()) {
        state_.error() = copy_.error();
        state_.warning()(Warning::ProcessError, "Put", "Process:View");
    }
    if (!more) end();
}

void ChartCopyWindow::end() {
    ended_ = true;
    timer_.stop();
    progress_->setText("Process Completed");
    cancel_->setEnabled(false);
    QDialog::reject();
}

}  // namespace cdz
