#include "querykit/qwizard/BusyNotice.h"

#include <QApplication>
#include <QLabel>
#include <QString>

namespace qk {

BusyNotice::BusyNotice(std::string_view text) {
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return;
    auto label = std::make_unique<QLabel>(
        QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    label->setObjectName(kObjectName);
    label->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    label->setAlignment(Qt::AlignCenter);
    label->setMargin(24);
    label->show();
    window_ = std::move(label);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    // Paint the notice now: the work that follows does not return to the event loop.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

BusyNotice::~BusyNotice() {
    if (!window_) return;
    QApplication::restoreOverrideCursor();
    window_->hide();
}

}  // namespace qk
