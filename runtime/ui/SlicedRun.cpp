#include "runtime/ui/SlicedRun.h"

#include <utility>

namespace cdz {

SlicedRun::SlicedRun(SlicedWork work, QObject* parent, std::chrono::milliseconds slice)
    : QObject(parent), work_(std::move(work)), length_(slice) {
    timer_.setInterval(0);
    connect(&timer_, &QTimer::timeout, this, &SlicedRun::slice);
}

void SlicedRun::start() {
    if (ended_) return;
    shown_ = percent();
    emit progressed(shown_);
    if (!paused_) timer_.start();
}

void SlicedRun::pause() {
    paused_ = true;
    timer_.stop();
}

void SlicedRun::resume() {
    paused_ = false;
    if (!ended_) timer_.start();
}

void SlicedRun::cancel() {
    end(End::Cancelled);
}

void SlicedRun::slice() {
    // A step that asks the user something runs an event loop of its own: no slice inside it.
    if (ended_ || paused_ || slicing_) return;
    slicing_ = true;
    QElapsedTimer clock;
    clock.start();
    bool more = true;
    // A Cancel or a pause from inside a step (through that event loop) ends the slice there.
    while (more && !ended_ && !paused_ && clock.elapsed() < length_.count()) more = work_.step();
    slicing_ = false;
    if (ended_) return;
    if (const int now = percent(); now != shown_) {
        shown_ = now;
        emit progressed(now);
    }
    if (!more) end(End::Completed);
}

void SlicedRun::end(End how) {
    if (ended_) return;
    ended_ = true;
    timer_.stop();
    emit ended(how);
}

void SlicedRun::finishNow() {
    if (ended_) return;
    timer_.stop();
    while (!ended_ && work_.step()) {
    }
    if (ended_) return;
    emit progressed(shown_ = percent());
    end(End::Completed);
}

}  // namespace cdz
