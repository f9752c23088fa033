#include "app/engine/form/FormBeside.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QEventLoop>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QToolBar>

#include "app/engine/browse/BrowseWindow.h"

namespace cdz {

namespace {

// A window songs are dragged from stays live: that is what the form runs beside it for.
bool offersDrags(QWidget* window) {
    if (auto* sub = qobject_cast<QMdiSubWindow*>(window)) window = sub->widget();
    auto* browse = qobject_cast<BrowseWindow*>(window);
    return browse != nullptr && browse->offersDrags();
}

// What a user does to a window, as opposed to what the program does to it.
bool isInput(QEvent::Type type) {
    switch (type) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::Wheel:
        case QEvent::ContextMenu:
        case QEvent::Shortcut:
        case QEvent::ShortcutOverride:
        case QEvent::Close:
            return true;
        default:
            return false;
    }
}

}  // namespace

FormBeside::FormBeside(QWidget& form, QWidget* caller) : form_(form) {
    QWidget* frame = caller ? caller->window() : nullptr;
    auto* area = frame ? frame->findChild<QMdiArea*>() : nullptr;
    if (area) {
        // The frame's workspace stays live for the windows songs are dragged from.
        frame_ = frame;
        frame->installEventFilter(this);
        for (auto* bar : frame->findChildren<QMenuBar*>()) setAside(bar);
        for (auto* bar : frame->findChildren<QToolBar*>()) setAside(bar);
        for (QMdiSubWindow* sub : area->subWindowList()) {
            if (!offersDrags(sub)) setAside(sub);
        }
    }
    // Windows of their own: every visible one but the form and the frame with the workspace.
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (top == &form || top == frame_ || !top->isVisible() || offersDrags(top)) continue;
        setAside(top);
    }
}

FormBeside::~FormBeside() {
    if (!muted_.empty()) qApp->removeEventFilter(this);
    if (frame_) frame_->removeEventFilter(this);
    for (const QPointer<QWidget>& w : disabled_) {
        if (!w) continue;
        w->removeEventFilter(this);
        w->setEnabled(true);
    }
}

void FormBeside::setAside(QWidget* window) {
    // A window the form belongs to cannot be disabled without disabling the form: its input
    // is held back instead.
    for (QWidget* up = form_.parentWidget(); up; up = up->parentWidget()) {
        if (up != window) continue;
        if (muted_.empty()) qApp->installEventFilter(this);
        muted_.emplace_back(window);
        return;
    }
    if (!window->isEnabled()) return;
    window->setEnabled(false);
    if (window->isWindow() || qobject_cast<QMdiSubWindow*>(window))
        window->installEventFilter(this);
    disabled_.emplace_back(window);
}

void FormBeside::run() {
    QEventLoop loop;
    auto* dialog = qobject_cast<QDialog*>(&form_);
    if (dialog) connect(dialog, &QDialog::finished, &loop, &QEventLoop::quit);
    form_.setWindowModality(Qt::NonModal);
    form_.show();
    form_.raise();
    form_.activateWindow();
    if (dialog && dialog->isVisible()) loop.exec(QEventLoop::DialogExec);
    form_.hide();
}

bool FormBeside::eventFilter(QObject* watched, QEvent* event) {
    if (!muted_.empty() && isInput(event->type())) {
        if (auto* widget = qobject_cast<QWidget*>(watched); widget && widget->isWidgetType()) {
            for (const QPointer<QWidget>& w : muted_) {
                if (w && (widget == w || (w->isAncestorOf(widget) && widget->window() == w)))
                    return true;
            }
        }
    }
    // The window that started the form is still waiting for it: it, the windows set aside and
    // the frame stay open until the form is answered.
    if (event->type() == QEvent::Close && watched != &form_) {
        event->ignore();
        form_.raise();
        form_.activateWindow();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace cdz
