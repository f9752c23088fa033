#pragma once
// What the start-up tests share: a program state over a temporary data folder with scripted
// dialogs and recorded halts (the runtime stop returns to the test), and raw access to the
// stored files for damaging them the way crashes and old versions do.
#include <sqlite3.h>

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/engine/state/AppState.h"
#include "app/filemgr/FileManagerProcedures.h"
#include "runtime/ui/ScriptedDialogs.h"
#include "tests/support/TempDir.h"

namespace cdz::test {

class StartupFixture : public ::testing::Test {
protected:
    StartupFixture() { makeState(); }

    // A fresh program state over the same folder, as a new start would have.
    void makeState() {
        state.reset();
        auto scripted = std::make_unique<ScriptedDialogs>();
        dialogs = scripted.get();
        state = std::make_unique<AppState>(dir.path(), std::move(scripted),
                                           [this](std::string_view t) { halts.emplace_back(t); });
        // The frame starts the old-data conversion each time it opens.
        state->addSubsystem(&defineFileManagerProcedures);
    }

    Catalogue& catalogue() { return state->catalogue(); }
    std::string marker() { return state->badFileMarker().read(); }

    // Runs SQL on a stored data file with a connection of its own.
    static void execOn(const std::filesystem::path& file, const std::string& sql) {
        sqlite3* raw = nullptr;
        ASSERT_EQ(sqlite3_open(file.c_str(), &raw), SQLITE_OK);
        char* message = nullptr;
        const int rc = sqlite3_exec(raw, sql.c_str(), nullptr, nullptr, &message);
        const std::string why = message ? message : "";
        sqlite3_free(message);
        sqlite3_close(raw);
        ASSERT_EQ(rc, SQLITE_OK) << why;
    }

    std::vector<std::string> messageTexts() const {
        std::vector<std::string> texts;
        for (const auto& r : dialogs->shown()) {
            if (r.kind == DialogKind::Message) texts.push_back(r.text);
        }
        return texts;
    }

    TempDir dir;
    ScriptedDialogs* dialogs = nullptr;  // owned by state
    std::vector<std::string> halts;
    std::unique_ptr<AppState> state;
};

}  // namespace cdz::test
