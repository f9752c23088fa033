#include "app/engine/state/CallerWindow.h"

#include <QApplication>
#include <QWidget>

#include "app/engine/state/AppState.h"

namespace cdz {

QWidget* callerWindow(const AppState& state, QWidget& frame) {
    if (QWidget* modal = QApplication::activeModalWidget()) return modal;
    if (state.caller()) return state.caller()->window();
    return &frame;
}

}  // namespace cdz
