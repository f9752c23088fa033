#include "querykit/navigation/NavigationWindow.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace qk {
namespace {

const char* locatingTitle(NavDirection direction) {
    switch (direction) {
        case NavDirection::First:
            return "Locating First Query Result...";
        case NavDirection::Previous:
            return "Locating Previous Query Result...";
        case NavDirection::Next:
            return "Locating Next Query Result...";
        case NavDirection::Last:
            break;
    }
    return "Locating Last Query Result...";
}

NavigationWindow::Ending endingOf(QueryNavigator::State state) {
    switch (state) {
        case QueryNavigator::State::Found:
            return NavigationWindow::Ending::Found;
        case QueryNavigator::State::EndOfView:
            return NavigationWindow::Ending::EndOfView;
        case QueryNavigator::State::Running:
        case QueryNavigator::State::Failed:
            break;
    }
    return NavigationWindow::Ending::Failed;
}

}  // namespace

NavigationWindow::NavigationWindow(QueryNavigator& navigator, NavDirection direction)
    : navigator_(navigator), direction_(direction) {}

NavigationWindow::~NavigationWindow() = default;

NavigationWindow::Ending NavigationWindow::run() {
    if (navigator_.begin() != QueryNavigator::State::Running) return Ending::Failed;
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())) {
        while (navigator_.step(kRecordsPerTick) == QueryNavigator::State::Running) {
        }
        return endingOf(navigator_.state());
    }
    window_ = std::make_unique<QDialog>();
    window_->setObjectName(kObjectName);
    window_->setWindowTitle("Query Navigation in Progress...");
    auto* layout = new QVBoxLayout(window_.get());
    label_ = new QLabel("Query Navigation in Progress...", window_.get());
    progress_ = new QProgressBar(window_.get());
    progress_->setRange(0, 100);
    progress_->hide();
    auto* cancel = new QPushButton("Cancel Navigation", window_.get());
    cancel->setObjectName(kCancelName);
    layout->addWidget(label_);
    layout->addWidget(progress_);
    layout->addWidget(cancel);
    QObject::connect(cancel, &QPushButton::clicked, window_.get(), [this] {
        cancelled_ = true;
        window_->reject();
    });

    timer_ = new QTimer(window_.get());
    timer_->setInterval(0);
    QObject::connect(timer_, &QTimer::timeout, window_.get(), [this] { tick(); });
    timer_->start();
    const int result = window_->exec();
    timer_->stop();
    window_->hide();
    if (result != QDialog::Accepted) return Ending::Cancelled;
    return endingOf(navigator_.state());
}

void NavigationWindow::tick() {
    // A message the test shows runs its own event loop: no batch may start inside another.
    timer_->stop();
    if (navigator_.step(kRecordsPerTick) != QueryNavigator::State::Running) {
        window_->accept();
        return;
    }
    if (navigator_.showsProgress()) showProgress();
    // Cancelled during the batch: the window is closing and reads no more.
    if (!cancelled_) timer_->start();
}

void NavigationWindow::showProgress() {
    progress_->setValue(navigator_.percent());
    if (progressShown_) return;
    progressShown_ = true;
    window_->setWindowTitle(locatingTitle(direction_));
    label_->setText(locatingTitle(direction_));
    progress_->show();
    // A long search comes back in front of whatever the user turned to meanwhile.
    window_->raise();
    window_->activateWindow();
}

}  // namespace qk
