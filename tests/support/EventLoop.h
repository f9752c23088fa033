#pragma once
// Letting queued work and deferred deletions run in a test that drives windows.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>

#include <functional>

namespace cdz::test {

// Runs posted events and deferred deletions until nothing is left.
inline void settle() {
    for (int i = 0; i < 5; ++i) {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

// Processes events until done() holds or the time runs out; returns done(). The time is
// generous: it only matters when the awaited thing never comes, and a loaded machine is slow.
inline bool waitFor(const std::function<bool()>& done, int ms = 30000) {
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    return done();
}

}  // namespace cdz::test
