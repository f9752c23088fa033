// Starting procedures by name: instance numbers as threads get them, windows in the MDI area or
// of their own, and the warning for a procedure nobody defined.
#include <QCloseEvent>
#include <QDialog>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "runtime/ui/ProcedureStarter.h"
#include "tests/support/EventLoop.h"
#include "tests/support/StateFixture.h"

namespace cdz::test {
namespace {

class Window : public QLabel {
public:
    bool refuse = false;
    void closeEvent(QCloseEvent* e) override {
        ++asked;
        if (refuse) {
            e->ignore();
        } else {
            e->accept();
        }
    }
    int asked = 0;
};

class Starter : public ::testing::Test {
protected:
    Starter() : starter([this](const std::string& name) { undefined.push_back(name); }) {
        area.resize(600, 400);
        area.show();
        starter.setMdiArea(&area);
        starter.define("Doc", [this](int n) {
            auto* w = new Window;
            w->setText(QString::number(n));
            last = w;
            return w;
        });
    }
    ~Starter() override { settle(); }

    std::vector<std::string> undefined;
    QMdiArea area;
    ProcedureStarter starter;
    Window* last = nullptr;
};

TEST_F(Starter, NumbersStartAtTwoAndTheLowestFreeIsReused) {
    EXPECT_EQ(starter.start("Doc"), 2);
    EXPECT_EQ(starter.start("Doc"), 3);  // chosen again: another instance
    EXPECT_EQ(starter.start("Doc"), 4);
    EXPECT_EQ(starter.instances(), (std::vector<int>{2, 3, 4}));

    starter.window(3)->parentWidget()->close();
    settle();
    EXPECT_EQ(starter.instances(), (std::vector<int>{2, 4}));
    EXPECT_EQ(starter.start("Doc"), 3);
    starter.window(2)->parentWidget()->close();
    starter.window(4)->parentWidget()->close();
    settle();
    EXPECT_EQ(starter.start("Doc"), 2);
    EXPECT_EQ(starter.procedureOf(2), "Doc");
    EXPECT_EQ(starter.window(4), nullptr);
}

TEST_F(Starter, TheFactoryIsToldItsNumberAndItsWindowOpensInTheArea) {
    const int n = starter.start("Doc");
    EXPECT_EQ(last->text(), QString::number(n));
    auto* sub = qobject_cast<QMdiSubWindow*>(last->parentWidget());
    ASSERT_NE(sub, nullptr);
    EXPECT_EQ(sub->mdiArea(), &area);
    EXPECT_TRUE(sub->isVisible());
    EXPECT_EQ(area.activeSubWindow(), sub);
}

TEST_F(Starter, AWindowThatClosesItselfTakesItsFrameAndNumberAlong) {
    const int n = starter.start("Doc");
    QPointer<QMdiSubWindow> sub = qobject_cast<QMdiSubWindow*>(last->parentWidget());
    EXPECT_TRUE(last->close());
    settle();
    EXPECT_TRUE(sub.isNull());
    EXPECT_TRUE(area.subWindowList().isEmpty());
    EXPECT_EQ(starter.window(n), nullptr);
}

TEST_F(Starter, AWindowThatRefusesToCloseKeepsItsNumber) {
    const int n = starter.start("Doc");
    Window* w = last;
    w->refuse = true;
    EXPECT_FALSE(w->close());
    EXPECT_FALSE(w->parentWidget()->close());
    settle();
    EXPECT_EQ(starter.window(n), w);
    EXPECT_EQ(w->asked, 2);  // asked once each time, not twice
    EXPECT_FALSE(starter.closeAll());
    w->refuse = false;
    EXPECT_TRUE(starter.closeAll());
    settle();
    EXPECT_TRUE(starter.instances().empty());
}

TEST_F(Starter, ANumberIsReservedWhileTheFactoryRuns) {
    int inner = 0;
    starter.define("Outer", [&](int) {
        inner = starter.start("Doc");  // a window that starts another as it opens
        return new QLabel;
    });
    const int outer = starter.start("Outer");
    EXPECT_EQ(outer, 2);
    EXPECT_EQ(inner, 3);
}

TEST_F(Starter, AProcedureWithoutAWindowGivesItsNumberBackAtOnce) {
    bool ran = false;
    starter.define("Quick", [&](int) -> QWidget* {
        ran = true;
        return nullptr;
    });
    EXPECT_EQ(starter.start("Quick"), 2);
    EXPECT_TRUE(ran);
    EXPECT_TRUE(starter.instances().empty());
    EXPECT_EQ(starter.start("Doc"), 2);
}

TEST_F(Starter, WindowsOfTheirOwnStayOutsideTheArea) {
    starter.define("Box", [](int) { return new QDialog; });
    const int n = starter.start("Box");
    QWidget* box = starter.window(n);
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->isWindow());
    EXPECT_TRUE(box->isVisible());
    EXPECT_TRUE(area.subWindowList().isEmpty());
    box->close();
    settle();
    EXPECT_EQ(starter.window(n), nullptr);
}

TEST_F(Starter, UndefinedNamesGoToTheHandler) {
    starter.defineRoutine("Routine", [] {});
    EXPECT_EQ(starter.start("BrowseAlbum"), 0);
    EXPECT_FALSE(starter.run("Preferences"));
    EXPECT_EQ(starter.start("Routine"), 0);  // a routine has no window to start
    EXPECT_EQ(undefined, (std::vector<std::string>{"BrowseAlbum", "Preferences", "Routine"}));
    EXPECT_TRUE(starter.instances().empty());
}

TEST_F(Starter, RoutinesRunOnTheCaller) {
    int runs = 0;
    starter.defineRoutine("Preferences", [&] { ++runs; });
    EXPECT_TRUE(starter.isDefined("Preferences"));
    EXPECT_TRUE(starter.run("Preferences"));
    EXPECT_TRUE(starter.run("Preferences"));
    EXPECT_EQ(runs, 2);
    EXPECT_TRUE(undefined.empty());
}

// The program's state reports an undefined procedure as standard warning 6.
TEST(StarterInTheProgram, UndefinedProcedureShowsWarningSix) {
    StateFixture f;
    EXPECT_EQ(f.state->starter().start("NoSuchProcedure"), 0);
    ASSERT_EQ(f.dialogs->shown().size(), 1u);
    const DialogRecord& box = f.dialogs->shown()[0];
    EXPECT_EQ(box.title, "Procedure not defined");
    EXPECT_EQ(box.text, "The Procedure NoSuchProcedure has not been defined.");
    EXPECT_EQ(box.icon, MessageIcon::Warning);
}

}  // namespace
}  // namespace cdz::test
