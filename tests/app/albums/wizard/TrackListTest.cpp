// The run tags that keep wizard runs apart in the shared work file, and the track list's moves.
#include <sys/wait.h>
#include <unistd.h>

#include "tests/app/albums/wizard/WizardFixture.h"
#include "tests/support/ShellCommand.h"

namespace cdz::test {
namespace {

using Move = TrackList::Move;

TEST_F(WizardTest, RunsAtOnceOnOneStationOrTwoSeeOnlyTheirOwnTracks) {
    StateFixture other;  // a second station: its own connection to the same files
    other.state = std::make_unique<AppState>(fx.dir.path(), std::make_unique<ScriptedDialogs>());
    // The same thread number everywhere, as two stations' first windows have.
    RunTag a = startRun(2, {{"", "a1"}, {"", "a2"}});
    RunTag b = startRun(2, {{"", "b1"}});
    RunTag c = startRun(2, {{"", "c1"}, {"", "c2"}, {"", "c3"}}, other.state.get());
    EXPECT_NE(a.tag(), b.tag());
    EXPECT_NE(a.tag(), c.tag());
    EXPECT_NE(b.tag(), c.tag());
    EXPECT_EQ(titles(TrackList(state(), a.tag()).read()), (std::vector<std::string>{"a1", "a2"}));
    EXPECT_EQ(titles(TrackList(state(), b.tag()).read()), (std::vector<std::string>{"b1"}));
    EXPECT_EQ(titles(TrackList(*other.state, c.tag()).read()),
              (std::vector<std::string>{"c1", "c2", "c3"}));
    // A track added to a run takes the run's next number, whatever the other runs hold.
    WizardTrack added{0, 0, "", "b2", 0};
    ASSERT_EQ(TrackList(state(), b.tag()).add(added), 0);
    EXPECT_EQ(added.track, 2);
    EXPECT_EQ(titles(TrackList(state(), b.tag()).read()), (std::vector<std::string>{"b1", "b2"}));
}

TEST_F(WizardTest, CancelledRunsTracksComeBackToTheSameThreadNumber) {
    RunTag first = startRun(3, {{"", "kept 1"}, {"", "kept 2"}});
    const int tag = first.tag();
    first.release(state());
    RunTag empty = startRun(4, {});
    empty.release(state());  // a run without tracks leaves nothing behind

    RunTag again = startRun(3, {});
    EXPECT_EQ(again.tag(), tag);
    EXPECT_EQ(titles(TrackList(state(), tag).read()),
              (std::vector<std::string>{"kept 1", "kept 2"}));
    RunTag elsewhere = startRun(4, {});
    EXPECT_NE(elsewhere.tag(), tag);
    EXPECT_TRUE(TrackList(state(), elsewhere.tag()).read().empty());
    // Markers of the two open runs and the two tracks; the empty run's marker is gone.
    EXPECT_EQ(workRecords(), 4u);
}

// A run whose process died without closing the wizard is offered again like a cancelled one;
// a run still open elsewhere is not.
TEST_F(WizardTest, RunOfADeadProcessIsOfferedAgain) {
    ASSERT_EQ(cat().database().attachedCount(), 0);
    const pid_t child = fork();
    if (child == 0) {
        AppState s(fx.dir.path(), std::make_unique<ScriptedDialogs>());
        RunTag tag;
        if (tag.claim(s, 5) != 0) _exit(1);
        WizardTrack t{0, 0, "", "orphan", 0};
        _exit(TrackList(s, tag.tag()).add(t) == 0 ? 0 : 2);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    RunTag open = startRun(6, {{"", "mine"}});

    RunTag heir = startRun(5, {});
    EXPECT_EQ(titles(TrackList(state(), heir.tag()).read()), std::vector<std::string>{"orphan"});
    RunTag other6 = startRun(6, {});
    EXPECT_NE(other6.tag(), open.tag());
}

TEST_F(WizardTest, MovesRenumberEveryTrackOrNone) {
    struct Case {
        const char* name;
        int index;
        Move how;
        std::vector<std::string> order;
        int landed;
    };
    const std::vector<Case> cases = {
        {"first up", 0, Move::Up, {"1", "2", "3", "4", "5", "6", "7", "8"}, 0},
        {"first to top", 0, Move::Top, {"1", "2", "3", "4", "5", "6", "7", "8"}, 0},
        {"last down", 7, Move::Down, {"1", "2", "3", "4", "5", "6", "7", "8"}, 7},
        {"last to bottom", 7, Move::Bottom, {"1", "2", "3", "4", "5", "6", "7", "8"}, 7},
        {"5 to top", 4, Move::Top, {"5", "1", "2", "3", "4", "6", "7", "8"}, 0},
        {"5 to bottom", 4, Move::Bottom, {"1", "2", "3", "4", "6", "7", "8", "5"}, 7},
        {"5 up", 4, Move::Up, {"1", "2", "3", "5", "4", "6", "7", "8"}, 3},
        {"5 down", 4, Move::Down, {"1", "2", "3", "4", "6", "5", "7", "8"}, 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<Track> eight;
        for (int i = 1; i <= 8; ++i) eight.push_back({"", std::to_string(i), minSec(i, 0)});
        RunTag tag = startRun(2, eight);
        TrackList list(state(), tag.tag());
        int landed = -1;
        EXPECT_EQ(list.move(c.index, c.how, &landed), 0);
        EXPECT_EQ(landed, c.landed);
        const std::vector<WizardTrack> after = list.read();
        EXPECT_EQ(titles(after), c.order);
        for (size_t i = 0; i < after.size(); ++i) {
            EXPECT_EQ(after[i].track, static_cast<int>(i) + 1);
            EXPECT_EQ(after[i].time, minSec(std::stoi(after[i].title), 0));  // time travels too
        }
        clearFiles();
    }
    EXPECT_TRUE(fx.dialogs->shown().empty());
}

// A move whose rewrite fails part-way leaves every track where it was.
TEST_F(WizardTest, MoveThatFailsPartWayMovesNothing) {
    std::vector<Track> eight;
    for (int i = 1; i <= 8; ++i) eight.push_back({"", std::to_string(i), 0});
    RunTag tag = startRun(2, eight);
    const ShellResult shell =
        runSqliteShell(cat().file(F::AddWizard).path(),
                       "CREATE TRIGGER refuse BEFORE UPDATE ON AddWizard WHEN NEW.Title = '3' "
                       "BEGIN SELECT RAISE(ABORT, 'disk full'); END;");
    ASSERT_TRUE(shell.ran && shell.exitCode == 0) << shell.err;
    TrackList list(state(), tag.tag());
    int landed = -1;
    std::string section;
    EXPECT_NE(list.move(4, Move::Top, &landed, &section), 0);  // fails on the fourth rewrite
    EXPECT_EQ(landed, 4);
    EXPECT_EQ(section, "Put Swap");  // the step the user's message names
    EXPECT_EQ(titles(list.read()),
              (std::vector<std::string>{"1", "2", "3", "4", "5", "6", "7", "8"}));
}

// Naming from a release keeps a track's own time, gives a time to one without, and adds the
// tracks the run lacks after its highest number.
TEST_F(WizardTest, NamingTracksKeepsTheirTimesAndAddsTheMissingOnes) {
    RunTag run = startRun(6, {{"", "Track 1", minSec(3, 25)}, {"", "Track 2", 0}});
    const TrackList list(state(), run.tag());
    const std::vector<WizardTrack> named = {{0, 0, "Nadia Korr", "Blue Hour", minSec(1, 0)},
                                            {0, 0, "Ivo Lind", "Salt Roads", minSec(4, 10)},
                                            {0, 0, "Nadia Korr", "Tidewater", minSec(2, 5)}};
    ASSERT_EQ(list.name(named), 0) << state().error().text;
    const std::vector<WizardTrack> read = list.read();
    ASSERT_EQ(read.size(), 3u);
    EXPECT_EQ(titles(read), (std::vector<std::string>{"Blue Hour", "Salt Roads", "Tidewater"}));
    EXPECT_EQ(read[0].time, minSec(3, 25));
    EXPECT_EQ(read[1].time, minSec(4, 10));
    EXPECT_EQ(read[1].artist, "Ivo Lind");
    EXPECT_EQ(read[2].track, 3);
}

}  // namespace
}  // namespace cdz::test
