#pragma once
// What the frame's tests share: a program state over a temporary data folder whose dialogs are
// scripted and whose halts are recorded (its catalogue on the throwaway server in the builds of
// the tests against it), and helpers to let queued work and deletions run.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/engine/state/AppState.h"
#include "app/filemgr/FileManagerProcedures.h"
#include "runtime/ui/ScriptedDialogs.h"
#include "tests/runtime/data/TestDatabase.h"
#include "tests/support/TempDir.h"

namespace cdz::test {

struct StateFixture {
    TempDir dir;
    ScriptedDialogs* dialogs = nullptr;  // owned by state
    std::vector<std::string> halts;
    std::unique_ptr<AppState> state;

    StateFixture() { makeState(); }

    // A program state over the same folder, as a program started again finds it.
    void makeState() {
        state.reset();
        auto scripted = std::make_unique<ScriptedDialogs>();
        dialogs = scripted.get();
        state = std::make_unique<AppState>(
            dir.path(), std::move(scripted), [this](std::string_view t) { halts.emplace_back(t); },
            testServer(dir.path()));
        state->addSubsystem(&defineFileManagerProcedures);
    }

    // The text of the last message box, "" when none was shown.
    std::string lastMessage() const {
        return dialogs->shown().empty() ? std::string() : dialogs->shown().back().text;
    }
};

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
