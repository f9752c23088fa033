#pragma once
// A program state over a temporary data folder whose dialogs are scripted and whose halts are
// recorded (its catalogue on the throwaway server in the builds of the tests against it).
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

}  // namespace cdz::test
