#pragma once
// Driving modal windows by name from a test: act once the named window is the one up, press a
// button and choose a list row by their object names.
#include <QApplication>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

#include <functional>

#include <gtest/gtest.h>

namespace cdz::test {

// Runs `act` on the modal window named `name` once it is the one up.
inline void whenUp(const char* name, std::function<void(QWidget&)> act) {
    QTimer::singleShot(0, [name, act = std::move(act)]() mutable {
        QWidget* w = QApplication::activeModalWidget();
        if (w && w->objectName() == name) {
            act(*w);
        } else {
            whenUp(name, std::move(act));
        }
    });
}

inline void click(QWidget& w, const char* button) {
    auto* b = w.findChild<QPushButton*>(button);
    ASSERT_NE(b, nullptr) << button;
    b->click();
}

inline void chooseRow(QWidget& w, const char* list, const QString& text) {
    auto* l = w.findChild<QListWidget*>(list);
    ASSERT_NE(l, nullptr) << list;
    const auto found = l->findItems(text, Qt::MatchExactly);
    ASSERT_FALSE(found.isEmpty()) << text.toStdString();
    l->setCurrentItem(found.front());
}

}  // namespace cdz::test
