#include "app/engine/resize/ControlResizer.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <QSizeGrip>

namespace cdz {

ControlResizer::ControlResizer(QWidget& window) : QObject(&window), window_(window) {
    window_.installEventFilter(this);
}

bool ControlResizer::isControl(const QWidget& child) {
    if (child.isWindow()) return false;
    if (qobject_cast<const QMenuBar*>(&child) || qobject_cast<const QMenu*>(&child)) return false;
    if (qobject_cast<const QSizeGrip*>(&child)) return false;
    return !child.objectName().startsWith(QLatin1String("qt_"));
}

ControlKind ControlResizer::kindOf(const QWidget& control) {
    if (qobject_cast<const QLineEdit*>(&control)) return ControlKind::Entry;
    if (qobject_cast<const QComboBox*>(&control)) return ControlKind::Combo;
    // Spin boxes, and the date and time entries, which are spin boxes in Qt.
    if (qobject_cast<const QAbstractSpinBox*>(&control)) return ControlKind::Spin;
    if (qobject_cast<const QCheckBox*>(&control)) return ControlKind::Check;
    if (qobject_cast<const QRadioButton*>(&control)) return ControlKind::Radio;
    if (qobject_cast<const QAbstractButton*>(&control)) return ControlKind::Button;
    return ControlKind::Other;
}

void ControlResizer::recordControls(ResizeMode mode) {
    dropResizeList();
    list_.emplace(mode, window_.size());
    for (QWidget* child : window_.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (!isControl(*child)) continue;
        controls_.emplace_back(child);
        list_->add(static_cast<int>(controls_.size()), kindOf(*child), child->geometry());
    }
}

void ControlResizer::resizeControls() {
    if (!list_) return;
    const std::vector<ResizeList::Placement> places = list_->place(window_.size());
    if (places.empty()) return;
    // Only painting held on this window itself is left held: a window placed while the window
    // around it holds painting must not keep that hold as its own.
    const bool held = window_.testAttribute(Qt::WA_ForceUpdatesDisabled);
    if (!held) window_.setUpdatesEnabled(false);
    for (const ResizeList::Placement& p : places) {
        QWidget* control = controls_[static_cast<size_t>(p.control - 1)];
        if (control) control->setGeometry(p.geometry);
    }
    if (!held) window_.setUpdatesEnabled(true);
}

void ControlResizer::dropResizeList() {
    list_.reset();
    controls_.clear();
}

bool ControlResizer::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &window_) {
        if (event->type() == QEvent::Resize) {
            resizeControls();
        } else if (event->type() == QEvent::Close) {
            // The window may still refuse to close; once the event has been handled, a window
            // that closed is hidden (or gone, and this object with it).
            QMetaObject::invokeMethod(
                this,
                [this] {
                    if (!window_.isVisible()) dropResizeList();
                },
                Qt::QueuedConnection);
        }
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace cdz
