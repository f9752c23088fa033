// A transfer in another process killed with SIGKILL at random moments: the album, its songs and
// the work records are afterwards either all written and removed, or untouched.
#include <signal.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <iostream>
#include <random>

#include "app/albums/wizard/AlbumTransfer.h"
#include "tests/app/albums/wizard/WizardFixture.h"
#include "tests/app/domain/data/OpenRecovering.h"

namespace cdz::test {
namespace {

using Clock = std::chrono::steady_clock;
constexpr int kTracks = 99;
constexpr int kThread = 2;
constexpr int kRounds = 20;

struct Found {
    size_t albums = 0;
    size_t songs = 0;
    size_t tracks = 0;  // work records other than markers
};

// What the files hold, each checked whole by SQLite, read by a fresh station.
Found inspect(const std::filesystem::path& folder) {
    Catalogue c(folder);
    c.setOpenRoutine(&openRecovering);
    Found out;
    for (F f : {F::Album, F::Cadenzio, F::AddWizard}) {
        EXPECT_EQ(c.use(f), 0) << c.database().error().driverText;
        Statement check =
            c.database().statement("PRAGMA " + c.file(f).sql().schema() + ".integrity_check");
        EXPECT_TRUE(check && check.step().row() && std::string(check.text(0)) == "ok");
    }
    out.albums = static_cast<size_t>(c.file(F::Album).records());
    out.songs = static_cast<size_t>(c.file(F::Cadenzio).records());
    DataFile& work = c.file(F::AddWizard);
    EXPECT_EQ(work.set(), 0);
    while (work.next() == 0) out.tracks += c.addWizard().Side.empty() ? 1 : 0;
    return out;
}

// The child: takes over the thread's waiting run and transfers it, telling the parent first.
int transfer(const std::filesystem::path& folder, int ready) {
    AppState s(folder, std::make_unique<ScriptedDialogs>());
    s.catalogue().setOpenRoutine(&openRecovering);
    RunTag tag;
    if (tag.claim(s, kThread) != 0) return 1;
    if (TrackList(s, tag.tag()).read().size() != kTracks) return 2;
    SongRecord song;
    song.Artist = "Killed";
    song.Album = "Halfway";
    char c = 'x';
    if (write(ready, &c, 1) != 1) return 3;
    return AlbumTransfer(s, tag.tag(), false, true).run(song).code == 0 ? 0 : 4;
}

TEST_F(WizardTest, KilledTransferLeavesAllOrNothing) {
    std::vector<Track> tracks;
    for (int i = 1; i <= kTracks; ++i) tracks.push_back({"", "song " + std::to_string(i), 0});
    auto prepare = [&] {
        RunTag tag = startRun(kThread, tracks);
        tag.release(state());
        ASSERT_EQ(cat().database().attachedCount(), 0);  // nothing of ours open across fork
    };
    prepare();
    std::mt19937 rng(20261207);
    Clock::duration whole{};
    int killed = 0;
    int completed = 0;
    for (int round = 0; round < kRounds; ++round) {
        SCOPED_TRACE(round);
        int pipeFds[2];
        ASSERT_EQ(pipe(pipeFds), 0);
        const pid_t child = fork();
        if (child == 0) _exit(transfer(fx.dir.path(), pipeFds[1]));
        char c = 0;
        ASSERT_EQ(read(pipeFds[0], &c, 1), 1);
        close(pipeFds[0]);
        close(pipeFds[1]);
        const auto start = Clock::now();
        if (round > 0) {
            const auto span = std::chrono::duration_cast<std::chrono::microseconds>(whole).count();
            usleep(static_cast<useconds_t>(rng() % static_cast<uint64_t>(span * 12 / 10 + 1)));
            kill(child, SIGKILL);
        }
        int status = 0;
        waitpid(child, &status, 0);
        if (round == 0) {
            ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
            whole = Clock::now() - start;
        }
        if (WIFSIGNALED(status)) ++killed;

        const Found f = inspect(fx.dir.path());
        if (f.albums == 0) {
            EXPECT_EQ(f.songs, 0u);
            EXPECT_EQ(f.tracks, static_cast<size_t>(kTracks));
        } else {
            ++completed;
            EXPECT_EQ(f.albums, 1u);
            EXPECT_EQ(f.songs, static_cast<size_t>(kTracks));
            EXPECT_EQ(f.tracks, 0u);
            clearFiles();
            prepare();
        }
    }
    EXPECT_GT(killed, 0);
    RecordProperty("killed", killed);
    RecordProperty("completed", completed);
    std::cout << "transfer took "
              << std::chrono::duration_cast<std::chrono::milliseconds>(whole).count()
              << " ms; killed " << killed << ", completed " << completed << "\n";
}

}  // namespace
}  // namespace cdz::test
