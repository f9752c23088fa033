// A seeded monkey over the whole program on a catalogue of 10,000 songs: random commands,
// buttons, popup items, clicks, keys and typed texts, inside forms and question windows as well
// as over the browses, each dialog answered by its default. It fails on a crash or sanitizer
// report (the process dies), a hang (a watchdog ends the process), a file that does not check
// out, or a songs count that went down although no deletion was ever confirmed. Every action is
// logged; a failing seed replays with CDZ_MONKEY_SEED, and CDZ_MONKEY_ACTIONS runs it longer.
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDialog>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <iostream>
#include <random>
#include <set>
#include <thread>

#include "app/domain/data/Catalogue.h"
#include "app/engine/browse/BrowseList.h"
#include "app/engine/browse/BrowseWindow.h"
#include "app/shell/frame/WebPages.h"
#include "runtime/data/DataFile.h"
#include "tests/app/journeys/Journey.h"

namespace cdz::test {
namespace {

int fromEnvironment(const char* name, int fallback) {
    const char* v = std::getenv(name);
    return v && *v ? std::atoi(v) : fallback;
}

// Ends the process when the monkey stops making progress: a hang is a failure, not a wait.
class Watchdog {
public:
    explicit Watchdog(std::chrono::seconds limit)
        : thread_([this, limit] {
              auto last = beats_.load();
              auto since = std::chrono::steady_clock::now();
              while (!done_) {
                  std::this_thread::sleep_for(std::chrono::milliseconds(200));
                  if (beats_ != last) {
                      last = beats_;
                      since = std::chrono::steady_clock::now();
                  } else if (std::chrono::steady_clock::now() - since > limit) {
                      std::fprintf(stderr, "monkey: no action for %lld s; the program hangs\n",
                                   static_cast<long long>(limit.count()));
                      std::abort();
                  }
              }
          }) {}
    ~Watchdog() {
        done_ = true;
        thread_.join();
    }
    void beat() { ++beats_; }

private:
    std::atomic<long> beats_{0};
    std::atomic<bool> done_{false};
    std::thread thread_;
};

const char* const kTexts[] = {
    "3:45", "1:02:03",    "22.09.1997", "1997-09-22", "Édith Piaf", "Владимир",    "0", "99999",
    "-1",   "'; DROP --", "a",          "Zz",         "31/31/1997", "MUS:Artist ", "",  "%s%n"};

class Monkey : public Journey {
protected:
    template <class T>
    T pick(const QList<T>& from) {
        return from[static_cast<qsizetype>(random_() % static_cast<uint64_t>(from.size()))];
    }
    int below(int n) { return static_cast<int>(random_() % static_cast<uint64_t>(n)); }

    static bool usable(QWidget* w) { return w && w->isVisible() && w->isEnabled(); }

    // Commands that leave the program or do its maintenance are not the monkey's.
    static bool offLimits(const QString& name) {
        static const std::set<QString> off = [] {
            std::set<QString> s{"actPrintSetup", "actConvertDosData", "actExit",
                                "toolExit",      "actFileManager",    "actImport"};
            s.insert(WebPages::home().objectName);
            for (const WebPage& p : WebPages::online()) s.insert(p.objectName);
            return s;
        }();
        return off.count(name) > 0;
    }

    // One action on the window in front: the modal one when there is one.
    void act() {
        QWidget* front = QApplication::activeModalWidget();
        QWidget* scope = front ? front : &frame();
        // A person goes back out of windows opened over windows; so does the monkey, or each
        // would wait on the stack under the next without end.
        int open = 0;
        for (QWidget* w : QApplication::topLevelWidgets())
            open += w->isVisible() && w->isModal() ? 1 : 0;
        if (open > kDeepest) {
            note("escape (deep) " + scope->objectName());
            if (auto* d = qobject_cast<QDialog*>(scope)) d->reject();
            return;
        }
        switch (below(front ? 4 : 6)) {
            case 0: {  // a button
                QList<QPushButton*> buttons;
                for (QPushButton* b : scope->findChildren<QPushButton*>())
                    if (usable(b) && !offLimits(b->objectName())) buttons << b;
                if (buttons.isEmpty()) break;
                QPushButton* b = pick(buttons);
                note("press " + b->objectName() + " '" + b->text() + "'");
                b->click();
                break;
            }
            case 1: {  // typing into a field
                QList<QWidget*> fields;
                for (QLineEdit* e : scope->findChildren<QLineEdit*>())
                    if (usable(e)) fields << e;
                if (fields.isEmpty()) break;
                QWidget* field = pick(fields);
                const QString text = QString::fromUtf8(kTexts[below(std::size(kTexts))]);
                note("type '" + text + "' into " + field->objectName());
                field->setFocus();
                for (const QChar c : text)
                    QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, QString(c),
                                        Qt::NoModifier);
                QTest::keyClick(field, Qt::Key_Tab);
                break;
            }
            case 2: {  // a key
                static const Qt::Key keys[] = {Qt::Key_Down,   Qt::Key_Up,  Qt::Key_PageDown,
                                               Qt::Key_End,    Qt::Key_Tab, Qt::Key_Return,
                                               Qt::Key_Escape, Qt::Key_E};
                const Qt::Key key = keys[below(std::size(keys))];
                QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : scope;
                note("key " + QString::number(key) + " to " + target->objectName());
                QTest::keyClick(target, key);
                break;
            }
            case 3:  // Escape on the window in front
                note("escape " + scope->objectName());
                if (auto* d = qobject_cast<QDialog*>(scope)) d->reject();
                break;
            case 4: {  // a command of the frame
                QList<QAction*> commands;
                for (QAction* a : frame().findChildren<QAction*>())
                    if (a->isEnabled() && !a->menu() && !offLimits(a->objectName()) &&
                        (a->objectName().startsWith("act") || a->objectName().startsWith("tool")))
                        commands << a;
                QAction* a = pick(commands);
                note("command " + a->objectName());
                a->trigger();
                break;
            }
            case 5: {  // a click or a popup in a list
                QList<BrowseWindow*> browses;
                for (BrowseWindow* b : frame().findChildren<BrowseWindow*>())
                    if (usable(b)) browses << b;
                if (browses.isEmpty()) break;
                BrowseWindow* b = pick(browses);
                QWidget* viewport = b->list().viewport();
                const QPoint at(5 + below(200), 5 + below(qMax(10, viewport->height() - 10)));
                if (below(3) == 0) {
                    const int item = below(8);
                    dialogs().queue(std::to_string(item));
                    note("popup item " + QString::number(item) + " in " + b->objectName());
                    QContextMenuEvent menu(QContextMenuEvent::Mouse, at, viewport->mapToGlobal(at));
                    QCoreApplication::sendEvent(viewport, &menu);
                } else {
                    note("click " + b->objectName());
                    QTest::mouseClick(viewport, Qt::LeftButton, {}, at);
                }
                break;
            }
        }
    }

    // Each action is told as it is taken, so that a crash leaves the way to it behind.
    void note(const QString& what) {
        std::fprintf(stderr, "monkey %d: %s\n", ++noted_, what.toUtf8().constData());
        std::fflush(stderr);
    }

    static constexpr int kDeepest = 6;
    std::mt19937_64 random_;
    int noted_ = 0;
};

TEST_F(Monkey, ThousandsOfActionsLeaveTheFilesWhole) {
    const int seed = fromEnvironment("CDZ_MONKEY_SEED", 1);
    const int actions = fromEnvironment("CDZ_MONKEY_ACTIONS", 300);
    random_.seed(static_cast<uint64_t>(seed));
    addSongs(10000);
    const int64_t songs = records(CatalogueFile::Cadenzio);
    Watchdog watchdog(std::chrono::seconds(30));
    int done = 0;
    bool failed = false;
    bool finished = false;
    int sentAway = 0;
    constexpr int kMostSentAway = 500;
    // Each action schedules the next before it acts, so that the monkey goes on inside the
    // event loops of the forms and question windows it opens; at the end it sends away, as
    // Escape would, whatever is still open over the others.
    std::function<void()> step = [&] {
        watchdog.beat();
        if (done >= actions || failed) {
            // A form that runs beside the others (one that takes dragged songs) is no modal
            // window, but it too waits on the stack for an answer.
            auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            for (QWidget* w : QApplication::topLevelWidgets()) {
                if (!d && w->isVisible()) d = qobject_cast<QDialog*>(w);
            }
            if (d && ++sentAway <= kMostSentAway) {
                QTimer::singleShot(5, &frame(), step);
                d->reject();
                return;
            }
            // A window that comes back however often Escape sends it away would hold a person
            // in it too.
            EXPECT_EQ(d, nullptr) << d->objectName().toStdString() << " comes back after Escape";
            finished = true;
            return;
        }
        QTimer::singleShot(5, &frame(), step);
        ++done;
        act();
        bool deleting = false;
        for (const DialogRecord& d : dialogs().shown())
            deleting = deleting || (d.title == "Confirm Delete" && d.answer == "OK");
        const int64_t now = records(CatalogueFile::Cadenzio);
        if (now < songs && !deleting) {
            ADD_FAILURE() << "songs went from " << songs << " to " << now << " without a deletion";
            failed = true;
        }
    };
    QTimer::singleShot(5, &frame(), step);
    while (!finished) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        watchdog.beat();
    }
    state().starter().closeAll();
    settle();
    std::cout << "monkey: seed " << seed << ", " << done << " actions, " << dialogs().shown().size()
              << " dialogs answered\n";
    expectFilesCheckOut();
}

}  // namespace
}  // namespace cdz::test
