#pragma once
// Window resizing for a Qt window: records the window's controls when it opens, places them on
// every resize with the browse or form rules, and drops the list when the window closes.
//
// A window's controls are its direct child widgets: what the program placed on it. Children of
// a control (a table's viewport and header, a tab widget's bar and pages, a group box's
// contents) follow their control, as Qt lays them out; a control that must scale with the
// window is placed on the window itself (a sort sheet is a QTabBar beside the list, not a
// QTabWidget around it). Not controls: menus and menu bars, size grips (Qt places them),
// child windows, and Qt's own helpers (named "qt_..."). The window places its controls by
// coordinates: a layout on it would fight the placing.
#include <QObject>
#include <QPointer>
#include <QWidget>
#include <optional>
#include <vector>

#include "app/engine/resize/ResizeList.h"

namespace cdz {

class ControlResizer : public QObject {
    Q_OBJECT

public:
    // Watches `window` for resizing and closing; a child of it, so it goes with the window.
    explicit ControlResizer(QWidget& window);

    // Builds the resize list from the controls' places now, for the window's size now.
    void recordControls(ResizeMode mode);
    // Places the controls for the window's size now (nothing when that size was last placed),
    // with the window's redrawing held until all have moved.
    void resizeControls();
    void dropResizeList();

    // The number of recorded controls (0 before recording and after the list is dropped).
    int controlCount() const { return static_cast<int>(controls_.size()); }
    static bool isControl(const QWidget& child);
    static ControlKind kindOf(const QWidget& control);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget& window_;
    std::optional<ResizeList> list_;
    std::vector<QPointer<QWidget>> controls_;  // control number n at n - 1
};

}  // namespace cdz
