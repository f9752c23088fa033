#include "app/shell/frame/MdiArrange.h"

#include <QMdiArea>
#include <QMdiSubWindow>

#include <algorithm>

namespace cdz {

int MdiArrange::arrangeIcons(QMdiArea& area) {
    const QRect room = area.viewport()->rect();
    int x = 0;
    int row = 0;
    int placed = 0;
    for (QMdiSubWindow* sub : area.subWindowList(QMdiArea::CreationOrder)) {
        if (!sub->isMinimized() || !sub->isVisible()) continue;
        const QSize size = sub->size();
        if (x > 0 && x + size.width() > room.width()) {
            x = 0;
            ++row;
        }
        const int y = std::max(0, room.height() - (row + 1) * size.height());
        sub->move(x, y);
        x += size.width();
        ++placed;
    }
    return placed;
}

}  // namespace cdz
