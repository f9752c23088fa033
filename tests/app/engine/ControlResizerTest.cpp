// Window resizing on a real window: which widgets are its controls, placing on a resize, and
// the list dropped only when the window really closes.
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSizeGrip>
#include <QSpinBox>
#include <QTableView>
#include <QToolButton>

#include <gtest/gtest.h>

#include "app/engine/resize/ControlResizer.h"

namespace cdz::test {
namespace {

// A form that may refuse to close, as one with unsaved changes does.
class FormWindow : public QWidget {
public:
    bool refuseClose = false;

protected:
    void closeEvent(QCloseEvent* e) override {
        if (refuseClose) e->ignore();
    }
};

TEST(ControlResizer, ControlKindComesFromTheWidgetClass) {
    QWidget parent;
    const std::pair<QWidget*, ControlKind> cases[] = {
        {new QLineEdit(&parent), ControlKind::Entry},
        {new QComboBox(&parent), ControlKind::Combo},
        {new QSpinBox(&parent), ControlKind::Spin},
        {new QDateEdit(&parent), ControlKind::Spin},
        {new QPushButton(&parent), ControlKind::Button},
        {new QToolButton(&parent), ControlKind::Button},
        {new QCheckBox(&parent), ControlKind::Check},
        {new QRadioButton(&parent), ControlKind::Radio},
        {new QTableView(&parent), ControlKind::Other},
        {new QLabel(&parent), ControlKind::Other},
    };
    for (const auto& [widget, kind] : cases)
        EXPECT_EQ(ControlResizer::kindOf(*widget), kind) << widget->metaObject()->className();
}

TEST(ControlResizer, PlacesTheWindowsOwnControlsOnResizeAndDropsThemOnClose) {
    FormWindow window;
    window.resize(400, 300);
    auto* name = new QLineEdit(&window);
    name->setGeometry(10, 10, 200, 22);
    auto* ok = new QPushButton("OK", &window);
    ok->setGeometry(240, 260, 70, 24);
    auto* songs = new QTableView(&window);  // its viewport, bars and headers are its own
    songs->setGeometry(10, 40, 380, 200);
    new QSizeGrip(&window);
    window.show();
    QApplication::processEvents();

    ControlResizer resizer(window);
    resizer.recordControls(ResizeMode::Form);
    EXPECT_EQ(resizer.controlCount(), 3);

    window.resize(600, 450);
    QApplication::processEvents();
    EXPECT_EQ(name->geometry(), QRect(15, 15, 300, 22));
    EXPECT_EQ(ok->geometry(), QRect(440, 410, 70, 24));
    EXPECT_EQ(songs->geometry(), QRect(15, 60, 570, 300));
    EXPECT_TRUE(window.updatesEnabled());

    window.refuseClose = true;
    window.close();
    QApplication::processEvents();
    EXPECT_EQ(resizer.controlCount(), 3);

    window.refuseClose = false;
    window.close();
    QApplication::processEvents();
    EXPECT_EQ(resizer.controlCount(), 0);
}

// A window with its own resizing inside another one (a list on a form's page) is placed while
// the outer window holds its painting; it must paint again afterwards.
TEST(ControlResizer, AWindowPlacedInsideAnotherPaintsAgainAfterwards) {
    QWidget outer;
    outer.resize(400, 300);
    auto* inner = new QWidget(&outer);
    inner->setGeometry(10, 10, 200, 100);
    auto* button = new QPushButton("Add", inner);
    button->setGeometry(5, 70, 60, 24);
    outer.show();
    QApplication::processEvents();
    ControlResizer innerResizer(*inner);
    innerResizer.recordControls(ResizeMode::Browse);
    ControlResizer outerResizer(outer);
    outerResizer.recordControls(ResizeMode::Form);

    outer.resize(600, 450);
    QApplication::processEvents();
    EXPECT_NE(inner->size(), QSize(200, 100));  // the outer resize moved the inner one too
    EXPECT_TRUE(outer.updatesEnabled());
    EXPECT_TRUE(inner->updatesEnabled());
    EXPECT_TRUE(button->updatesEnabled());
}

}  // namespace
}  // namespace cdz::test
