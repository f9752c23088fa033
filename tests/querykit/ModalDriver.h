#pragma once
// Drives the library's modal windows from a test: an action queued to run on the next modal
// window once it is up (the test then calls the code that opens it).
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <functional>

namespace qk::test {

inline void whenModal(std::function<void(QWidget*)> act) {
    QTimer::singleShot(0, [act = std::move(act)]() mutable {
        if (QWidget* w = QApplication::activeModalWidget()) {
            act(w);
        } else {
            whenModal(std::move(act));
        }
    });
}

inline void click(QWidget* window, const char* button) {
    if (auto* b = window->findChild<QPushButton*>(button)) b->click();
}

// Types a description into the form and presses OK; a form that stays open (the write
// failed) is cancelled, so the test sees the failure instead of waiting.
inline void describeAs(const QString& description) {
    whenModal([description](QWidget* form) {
        form->findChild<QLineEdit*>("DescriptionEdit")->setText(description);
        click(form, "OkButton");
        if (QApplication::activeModalWidget() == form) click(form, "CancelButton");
    });
}

}  // namespace qk::test
