#include "app/engine/window/WindowPlacement.h"

#include <QGuiApplication>
#include <QMdiSubWindow>
#include <QRect>
#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <string>

#include "app/domain/settings/Settings.h"
#include "runtime/ini/IniFile.h"

namespace cdz {

namespace {

bool isResizable(const QWidget& w) {
    return w.minimumSize() != w.maximumSize();
}

// Enough of the window must stay reachable for the user to take hold of it again.
bool reachable(const QWidget& target, const QRect& place) {
    const QRect grip(place.topLeft(), QSize(std::min(place.width(), 48), 16));
    if (!target.isWindow()) {
        const QWidget* parent = target.parentWidget();
        return !parent || parent->rect().intersects(grip);
    }
    for (const QScreen* screen : QGuiApplication::screens())
        if (screen->availableGeometry().intersects(grip)) return true;
    return false;
}

// The area a window must fit in: its screen's free area (under a larger scaling a size saved
// before can exceed it), or its frame's area for a document window.
QRect room(const QWidget& target, const QRect& place) {
    if (!target.isWindow()) {
        const QWidget* parent = target.parentWidget();
        return parent ? parent->rect() : QRect();
    }
    const QScreen* screen = QGuiApplication::screenAt(place.center());
    if (!screen) screen = target.screen() ? target.screen() : QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

// The place made no larger than the room and moved into it where it would stick out.
QRect fitted(const QWidget& target, QRect place) {
    const QRect area = room(target, place);
    if (area.isEmpty()) return place;
    place.setSize(place.size().boundedTo(area.size()));
    place.moveLeft(std::clamp(place.left(), area.left(), area.right() - place.width() + 1));
    place.moveTop(std::clamp(place.top(), area.top(), area.bottom() - place.height() + 1));
    return place;
}

void setMaximised(QWidget& w, bool maximised) {
    if (w.isMaximized() == maximised) return;
    if (!w.isVisible()) {
        w.setWindowState(maximised ? (w.windowState() | Qt::WindowMaximized)
                                   : (w.windowState() & ~Qt::WindowMaximized));
    } else if (maximised) {
        w.showMaximized();
    } else {
        w.showNormal();
    }
}

}  // namespace

QWidget& WindowPlacement::target(QWidget& window) {
    if (!window.isWindow())
        if (auto* sub = qobject_cast<QMdiSubWindow*>(window.parentWidget())) return *sub;
    return window;
}

void WindowPlacement::restore(QWidget& window, const IniFile& settings, std::string_view section) {
    QWidget& w = target(window);
    if (!w.isMaximized() && isResizable(w)) w.setGeometry(fitted(w, w.geometry()));
    const int x = leadingNumber(settings.read(section, "XPosit"));
    if (x == 0) return;

    if (!w.isMaximized()) {
        const int y = leadingNumber(settings.read(section, "YPosit"));
        if (y != 0) {
            QRect place(x, y, w.width(), w.height());
            if (isResizable(w) && isResizable(window)) {
                const int width = leadingNumber(settings.read(section, "Width"));
                const int height = leadingNumber(settings.read(section, "Height"));
                if (width > 0 && height > 0) place.setSize(QSize(width, height));
            }
            if (reachable(w, place)) w.setGeometry(isResizable(w) ? fitted(w, place) : place);
        }
    }
    setMaximised(w, settings.read(section, "Maximize") == "Yes");
}

bool WindowPlacement::save(QWidget& window, IniFile& settings, std::string_view section) {
    QWidget& w = target(window);
    const bool maximised = w.isMaximized();
    if (w.isMinimized()) return true;

    // Positions are those of the client area, as restore() sets them. A top-level window knows
    // its normal place while maximised; an MDI frame does not, so it is put back to normal
    // first (a window manager could not be relied on to do that at once).
    QRect normal = w.geometry();
    if (w.isWindow()) {
        if (maximised && w.normalGeometry().isValid()) normal = w.normalGeometry();
    } else if (maximised) {
        w.showNormal();
        normal = w.geometry();
    }
    bool ok = settings.write(section, "Maximize", maximised ? "Yes" : "No");
    ok = settings.write(section, "XPosit", std::to_string(normal.x())) && ok;
    ok = settings.write(section, "YPosit", std::to_string(normal.y())) && ok;
    ok = settings.write(section, "Width", std::to_string(normal.width())) && ok;
    ok = settings.write(section, "Height", std::to_string(normal.height())) && ok;
    return ok;
}

}  // namespace cdz
