// Program main's start-up: the file register, and the repair offered after a process died while
// opening a data file.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "app/domain/opening/RuntimeStop.h"
#include "app/domain/repair/FixAction.h"
#include "app/domain/repair/RepairProgram.h"
#include "app/shell/startup/ProgramMain.h"
#include "runtime/RuntimeVersion.h"
#include "tests/app/shell/startup/StartupFixture.h"
#include "tests/support/BuiltPaths.h"

namespace cdz::test {
namespace {

using F = CatalogueFile;
namespace fs = std::filesystem;

const std::string kQuestion =
    "Warning : The program may have crashed attempting to open the file cdzdata. Do you wish to "
    "have the program attempt to fix the file ? ";
const std::string kClosing =
    "This program needs to close while the Fix Utility attempts to fix the file. When the fix "
    "program finishes running you can run this application again.";

class StartupRepairTest : public StartupFixture {
protected:
    // Stores songs, then opens the song file in a child process that is killed in the middle
    // of the open: this process holds the file exclusively meanwhile, so the child's open waits.
    void killWhileOpeningSongs(std::initializer_list<const char*> titles) {
        {
            FileUse use(catalogue(), {F::Cadenzio});
            ASSERT_TRUE(use.ok());
            for (const char* t : titles) {
                catalogue().file(F::Cadenzio).clearBuffer();
                catalogue().song().Title = t;
                ASSERT_EQ(catalogue().file(F::Cadenzio).add(), 0);
            }
        }
        DataFile& songs = catalogue().file(F::Cadenzio);
        ASSERT_EQ(songs.open(access::kExclusive), 0);
        const fs::path folder = dir.path();
        const pid_t pid = fork();
        if (pid == 0) {
            // No Qt in the child: the open routine with its own plain parts.
            Catalogue other(folder);
            other.database().setLockWait(60000);
            IniFile profile(folder / BadFileMarker::kProfileFileName);
            BadFileMarker marker(profile, "CDZAPP");
            FileRegistry registry;
            ScriptedDialogs quiet;
            RuntimeStop stop(quiet, other, [](std::string_view) { _exit(3); });
            StandardWarning warning(quiet, other.database().error(), stop, {});
            OpenDataFile open(marker, registry, warning, stop);
            _exit(open(other.file(F::Cadenzio)) == 0 ? 0 : 2);
        }
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (marker() != "cdzdata" && std::chrono::steady_clock::now() < until) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        // Still inside its open: it cannot have got past this process's lock.
        EXPECT_EQ(waitpid(pid, nullptr, WNOHANG), 0);
        kill(pid, SIGKILL);
        int status = 0;
        waitpid(pid, &status, 0);
        EXPECT_TRUE(WIFSIGNALED(status));
        songs.close();
        ASSERT_EQ(marker(), "cdzdata");
    }

    std::vector<std::string> storedTitles() {
        std::vector<std::string> titles;
        FileUse use(catalogue(), {F::Cadenzio});
        EXPECT_TRUE(use.ok());
        DataFile& songs = catalogue().file(F::Cadenzio);
        songs.set(songs.keyIndex("SongsByTitle"));
        while (songs.next() == 0) titles.push_back(catalogue().song().Title.str());
        return titles;
    }
};

TEST_F(StartupRepairTest, TheTwelveFilesAreRegisteredOnceInOrderWithTheirFlags) {
    ProgramMain main(*state, cdz::test::tpsfixPath());
    main.registerFiles();
    main.registerFiles();
    const FileRegistry& registry = state->fileRegistry();
    ASSERT_EQ(registry.files().size(), 12u);
    const char* labels[] = {"AddWizard",   "Album",           "Categories",     "Configuration",
                            "Fonts",       "Labels",          "Media",          "Cadenzio",
                            "OldCadenzio", "PlaylistDetails", "PlaylistMaster", "AudioFiles"};
    const char* prefixes[] = {"AW",  "ALB", "CAT", "CF",  "FON", "LAB",
                              "MED", "MUS", "M1",  "PLA", "PLD", "AUD"};
    for (size_t i = 0; i < 12; ++i) {
        EXPECT_EQ(registry.files()[i].label, labels[i]);
        EXPECT_EQ(registry.files()[i].prefix, prefixes[i]);
        const bool flagged =
            registry.files()[i].label == "Album" || registry.files()[i].label == "Cadenzio";
        EXPECT_EQ(registry.files()[i].flag, flagged ? 1 : 0) << labels[i];
    }
    EXPECT_TRUE(registry.hasDriver("tps"));
    EXPECT_TRUE(registry.ignoresDriver("AllFiles"));
    EXPECT_EQ(registry.applicationName(), "CDZAPP");
    // The marker's name is the file's name as the runtime has it; any of these finds the file.
    for (const char* name : {"Cadenzio", "CADENZIO", "cdzdata", "CDZDATA.TPS"}) {
        const RegisteredFile* f = registry.find(name);
        ASSERT_NE(f, nullptr) << name;
        EXPECT_EQ(f->label, "Cadenzio") << name;
    }
    EXPECT_EQ(registry.find("cdzdat"), nullptr);
    EXPECT_EQ(registry.makeExample("NoSuchFile"), FileRegistry::kExampleNotCreated);
    const std::string example = registry.makeExample("media");
    EXPECT_EQ(fs::path(example), dir.path() / "cdzmedia.tpe");
    EXPECT_TRUE(fs::exists(example));
}

TEST_F(StartupRepairTest, WithoutTheKeyedDriverNoExampleIsMade) {
    FileRegistry registry;
    registry.usingFile("MED", "Media", catalogue().file(F::Media), 0);
    EXPECT_EQ(registry.makeExample("Media"), FileRegistry::kNotKeyedFile);
    registry.addDriver("Tps");
    registry.ignoreDriver("Tps", 1);
    EXPECT_EQ(registry.makeExample("Media"), FileRegistry::kNotKeyedFile);
}

TEST_F(StartupRepairTest, AnEmptyMarkerGoesStraightOn) {
    EXPECT_TRUE(ProgramMain(*state, cdz::test::tpsfixPath()).startUp());
    EXPECT_TRUE(dialogs->shown().empty());
    EXPECT_EQ(state->helpFile(), "AUDIO.HLP");
}

TEST_F(StartupRepairTest, AProcessKilledWhileOpeningAFileIsOfferedTheRepairAndNoGoesOn) {
    killWhileOpeningSongs({"Hold On", "Let Go"});
    makeState();
    dialogs->queue(Button::No);
    EXPECT_TRUE(ProgramMain(*state, cdz::test::tpsfixPath()).startUp());
    ASSERT_EQ(dialogs->shown().size(), 1u);
    const DialogRecord& q = dialogs->shown()[0];
    EXPECT_EQ(q.title, "Warning");
    EXPECT_EQ(q.text, kQuestion);
    EXPECT_EQ(q.icon, MessageIcon::Information);
    EXPECT_EQ(q.buttons, Button::Yes | Button::No);
    EXPECT_EQ(q.defaultButton, Button::Yes);
    // The marker stays until the file next opens.
    EXPECT_EQ(marker(), "cdzdata");
    EXPECT_EQ(storedTitles(), (std::vector<std::string>{"Hold On", "Let Go"}));
    EXPECT_EQ(marker(), "");
}

// A first start killed while it made the songs file leaves the marker and no file, or an empty
// one (with the journal of a file that had no page): nothing to repair, so the next start goes
// on without asking.
TEST_F(StartupRepairTest, AMarkedFileThatWasNeverMadeIsNotOfferedTheRepair) {
    const fs::path songs = dir.path() / "cdzdata.tps";
    for (const int left : {0, 1, 2}) {
        SCOPED_TRACE(left);
        if (left > 0) std::ofstream(songs).flush();
        if (left > 1) std::ofstream(songs.string() + "-journal") << std::string(512, '\0');
        {
            IniFile profile(dir.path() / BadFileMarker::kProfileFileName);
            ASSERT_TRUE(BadFileMarker(profile, "CDZAPP").set("cdzdata"));
        }
        makeState();
        EXPECT_TRUE(ProgramMain(*state, cdz::test::tpsfixPath()).startUp());
        EXPECT_TRUE(dialogs->shown().empty());
        EXPECT_EQ(marker(), "");
        EXPECT_FALSE(fs::exists(songs));
    }
}

TEST_F(StartupRepairTest, YesRepairsTheFileWithTheRepairProgramAndEnds) {
    killWhileOpeningSongs({"Hold On", "Let Go", "Stay"});
    makeState();
    dialogs->queue(Button::Yes);
    EXPECT_FALSE(ProgramMain(*state, cdz::test::tpsfixPath()).startUp());
    // What the repair saved and lost is told once it is over.
    ASSERT_EQ(messageTexts(),
              (std::vector<std::string>{kQuestion, kClosing,
                                        "The repair of cdzdata is finished: 3 records saved, "
                                        "0 records lost.|The damaged file is kept as "
                                        "cdzdata.tps.damaged."}));
    EXPECT_EQ(dialogs->shown()[1].title, "Information");
    EXPECT_EQ(dialogs->shown()[2].title, "Information");
    EXPECT_EQ(marker(), "");
    EXPECT_TRUE(fs::exists(dir.path() / "cdzdata.tpe"));
    EXPECT_TRUE(fs::exists(dir.path() / "cdzdata.tps.damaged"));  // what tpsfix keeps
    EXPECT_EQ(storedTitles(), (std::vector<std::string>{"Hold On", "Let Go", "Stay"}));
    EXPECT_TRUE(halts.empty());
}

TEST_F(StartupRepairTest, RepairFailuresAreToldAndTheMarkerIsCleared) {
    struct Case {
        const char* marked;
        const char* program;
        std::string told;
    };
    const Case cases[] = {
        {"nosuchfile", cdz::test::tpsfixPath(),
         "The file nosuchfile is not one of this program's data files, so it cannot be fixed."},
        {"cdzmedia", "/nonexistent/tpsfix",
         "The repair program tpsfix could not be found beside this program or on the PATH, or it "
         "could not be started.|cdzmedia was not repaired."},
        // A program that ends well but does not say what it saved is not taken at its word.
        {"cdzmedia", "/bin/true",
         "The repair program tpsfix ended without saying what it saved, so cdzmedia may not have "
         "been repaired."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.marked);
        makeState();
        // A marked file that exists: one never made is not offered the repair.
        std::ofstream(dir.path() / (std::string(c.marked) + ".tps")) << "damaged";
        ASSERT_TRUE(state->badFileMarker().set(c.marked));
        dialogs->queue(Button::Yes);
        EXPECT_FALSE(ProgramMain(*state, c.program).startUp());
        ASSERT_EQ(messageTexts().size(), 3u);
        EXPECT_EQ(messageTexts()[2], c.told);
        EXPECT_EQ(dialogs->shown()[2].title, "Error");
        EXPECT_EQ(marker(), "");
    }
}

TEST(FixActionArguments, NameExampleAndQuietOption) {
    struct Case {
        const char* name;
        std::vector<std::string> args;
    };
    const Case cases[] = {
        {"cdzdata", {"cdzdata.tps", "/E:cdzdata.tpe", "/K"}},
        {"CDZCAT.DAT", {"CDZCAT.DAT", "/E:CDZCAT.tpe", "/K"}},
        {"/data/cdzro", {"/data/cdzro.tps", "/E:/data/cdzro.tpe", "/K"}},
    };
    for (const Case& c : cases) EXPECT_EQ(FixAction::arguments(c.name), c.args) << c.name;
}

TEST(RuntimeVersion, OnlyTheVersionBuiltForPasses) {
    EXPECT_TRUE(checkRuntimeVersion(258, 3));
    EXPECT_FALSE(checkRuntimeVersion(258, 2));
    EXPECT_FALSE(checkRuntimeVersion(258, 4));
    EXPECT_FALSE(checkRuntimeVersion(257, 3));
    EXPECT_EQ(runtimeVersionText(runtimeVersion()), "258.3");
}

}  // namespace
}  // namespace cdz::test
