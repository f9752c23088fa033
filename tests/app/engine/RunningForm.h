#pragma once
// The form running now: the modal one, or else the one running beside the other windows.
#include <QApplication>

#include "app/engine/form/FormWindow.h"
#include "tests/support/EventLoop.h"

namespace cdz::test {

inline FormWindow* runningForm() {
    if (auto* modal = qobject_cast<FormWindow*>(QApplication::activeModalWidget())) return modal;
    for (QWidget* top : QApplication::topLevelWidgets()) {
        auto* form = qobject_cast<FormWindow*>(top);
        if (form && form->isVisible() && form->isEnabled()) return form;
    }
    return nullptr;
}

// The running form once it is up; nullptr when none came.
inline FormWindow* awaitForm() {
    FormWindow* form = nullptr;
    waitFor([&] {
        form = runningForm();
        return form != nullptr;
    });
    return form;
}

}  // namespace cdz::test
