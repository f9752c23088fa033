// Every command of the frame's menus and tool bar, then every button and popup item of every
// window they open, and every button of the windows those open in turn, pressed over the real
// registrations with each dialog answered by its default and each form or question window sent
// away as Escape would afterwards: no command may name a procedure nobody defined, and the
// data files must check out afterwards.
#include <QContextMenuEvent>
#include <QDialog>
#include <QMenuBar>
#include <QPushButton>
#include <QToolBar>

#include <iostream>
#include <set>

#include "app/domain/data/Catalogue.h"
#include "app/engine/browse/BrowseList.h"
#include "app/engine/browse/BrowseWindow.h"
#include "app/shell/frame/WebPages.h"
#include "runtime/data/DataFile.h"
#include "tests/app/journeys/Journey.h"

namespace cdz::test {
namespace {

class EveryControl : public Journey {
protected:
    // Commands that leave the program (a browser, another program, the printer's own dialog,
    // the end of the run) are not pressed.
    static bool leavesTheProgram(const QString& name) {
        static const std::set<QString> leaving = [] {
            std::set<QString> s{"actPrintSetup", "actConvertDosData", "actExit", "toolExit"};
            s.insert(WebPages::home().objectName);
            for (const WebPage& p : WebPages::online()) s.insert(p.objectName);
            return s;
        }();
        return leaving.count(name) > 0;
    }

    // The window a press opened over the others: the first time it is seen, every button in it
    // that does not end it is pressed (what they open is met the same way); then it is sent
    // away, as Escape would. Other windows left open are sent away too.
    void dismissDialogs() {
        QTimer::singleShot(30, frame_(), [this] {
            // Armed again first: a press below may wait inside a window of its own.
            if (dismissing_) dismissDialogs();
            // The window in front first, then any other a press left open beside the others
            // (a form that takes drops runs beside the browses).
            QWidget* modal = QApplication::activeModalWidget();
            std::vector<QPointer<QDialog>> fresh;
            if (auto* d = qobject_cast<QDialog*>(modal)) fresh.emplace_back(d);
            for (QWidget* w : QApplication::topLevelWidgets()) {
                if (auto* d = qobject_cast<QDialog*>(w); d && !modal) fresh.emplace_back(d);
            }
            for (const QPointer<QDialog>& d : fresh) {
                if (d && d->isVisible() && pressedInside_.insert(d.data()).second) {
                    insidePressed_ += pressInside(d);
                    return;
                }
            }
            // A window run modally that is no dialog (the report preview) is closed.
            if (modal && !qobject_cast<QDialog*>(modal) && modal->isVisible()) {
                ++dismissed_;
                modal->close();
            }
            std::vector<QPointer<QDialog>> open;
            for (QWidget* w : QApplication::topLevelWidgets()) {
                if (auto* dialog = qobject_cast<QDialog*>(w)) open.emplace_back(dialog);
            }
            for (const QPointer<QDialog>& dialog : open) {
                if (dialog && dialog->isVisible() && !insideNow_.count(dialog.data())) {
                    ++dismissed_;
                    dialog->reject();
                }
            }
        });
    }

    // Presses every visible, enabled button of a window but those that end it; stops when the
    // window went away meanwhile.
    int pressInside(const QPointer<QDialog>& window) {
        static const std::set<QString> ending{"OK",     "Ok",   "Cancel", "Close", "Done",
                                              "Finish", "Help", "Exit",   "Print"};
        insideNow_.insert(window.data());
        std::vector<QPointer<QPushButton>> buttons;
        for (QPushButton* b : window->findChildren<QPushButton*>()) buttons.emplace_back(b);
        int pressed = 0;
        for (const QPointer<QPushButton>& b : buttons) {
            if (!window || !window->isVisible()) break;
            if (!b || !b->isVisible() || !b->isEnabled()) continue;
            if (ending.count(b->text().remove('&').trimmed())) continue;
            b->click();
            settle();
            ++pressed;
        }
        insideNow_.erase(window.data());
        return pressed;
    }

    // Every visible, enabled button of an open browse (but Close), then every popup item.
    int pressBrowse(BrowseWindow& browse) {
        int pressed = 0;
        for (QPushButton* b : browse.findChildren<QPushButton*>()) {
            if (!b->isVisible() || !b->isEnabled() || b->objectName() == "CloseButton") continue;
            b->click();
            settle();
            ++pressed;
        }
        // The popup once with nothing chosen tells its items; then each enabled one.
        const std::string items = popup(browse, "0");
        int item = 0;
        for (const QString& caption : QString::fromStdString(items).split('|')) {
            if (caption == "-") continue;
            ++item;
            if (caption.startsWith('~')) continue;  // disabled
            popup(browse, std::to_string(item));
            ++pressed;
        }
        return pressed;
    }

    // Right-clicks the browse's list and answers its popup; the popup's items as shown.
    std::string popup(BrowseWindow& browse, const std::string& answer) {
        dialogs().queue(answer);
        const size_t before = dialogs().shown().size();
        QWidget* viewport = browse.list().viewport();
        QContextMenuEvent menu(QContextMenuEvent::Mouse, QPoint(5, 5),
                               viewport->mapToGlobal(QPoint(5, 5)));
        QCoreApplication::sendEvent(viewport, &menu);
        settle();
        EXPECT_GT(dialogs().shown().size(), before);
        return dialogs().shown().size() > before ? dialogs().shown()[before].text : std::string();
    }

    QWidget* frame_() { return &frame(); }

    bool dismissing_ = true;
    int dismissed_ = 0;
    int insidePressed_ = 0;
    std::set<QDialog*> pressedInside_;
    std::set<QDialog*> insideNow_;
};

TEST_F(EveryControl, EveryCommandReachesAProcedureAndTheFilesCheckOut) {
    addSongs(3);
    dismissDialogs();
    int pressed = 0;
    std::vector<QAction*> commands;
    for (QAction* a : frame().findChildren<QAction*>()) {
        if (a->objectName().startsWith("act") || a->objectName().startsWith("tool")) {
            commands.push_back(a);
        }
    }
    for (QAction* a : commands) {
        if (leavesTheProgram(a->objectName()) || a->menu() || !a->isEnabled()) continue;
        a->trigger();
        settle();
        ++pressed;
        // Pressing may close windows: the browses are held by guarded pointers first.
        std::vector<QPointer<BrowseWindow>> browses;
        for (QWidget* w : QApplication::allWidgets()) {
            if (auto* browse = qobject_cast<BrowseWindow*>(w)) browses.emplace_back(browse);
        }
        for (const QPointer<BrowseWindow>& browse : browses) {
            if (browse && browse->isVisible() && !browse->property("pressed").toBool()) {
                browse->setProperty("pressed", true);
                pressed += pressBrowse(*browse);
            }
        }
    }
    dismissing_ = false;
    settle();
    for (const DialogRecord& d : dialogs().shown()) {
        EXPECT_EQ(d.text.find("has not been defined"), std::string::npos) << d.text;
    }
    std::cout << "controls pressed: " << pressed
              << ", inside the windows they opened: " << insidePressed_
              << ", windows sent away: " << dismissed_
              << ", dialogs answered: " << dialogs().shown().size() << "\n";
    EXPECT_GT(pressed, 100);
    EXPECT_GT(insidePressed_, 25);  // how many depends on which windows a press left open
    state().starter().closeAll();
    settle();
    expectFilesCheckOut();
}

}  // namespace
}  // namespace cdz::test
