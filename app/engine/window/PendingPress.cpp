#include "app/engine/window/PendingPress.h"

#include <QApplication>
#include <QTimer>

namespace cdz {

namespace {

bool leftButtonDown() {
    return (QGuiApplication::mouseButtons() & Qt::LeftButton) != 0;
}

}  // namespace

PendingPress::PendingPress(const QWidget& window) {
    auto* button = qobject_cast<QAbstractButton*>(QApplication::focusWidget());
    if (button && button->window() == &window && leftButtonDown()) button_ = button;
}

void PendingPress::finish(bool passed) {
    if (!button_ || leftButtonDown()) return;
    // The press itself reaches the button after the check returns; the click follows it.
    QTimer::singleShot(0, button_, [button = button_, passed] {
        button->setDown(false);
        if (passed) button->click();
    });
}

}  // namespace cdz
