// A station killed with SIGKILL in the middle of making albums from songs: every committed
// batch is whole (its songs linked to albums that exist, each album made with its songs) and
// nothing of the batch in progress stays; a second pass then finishes the work.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <random>
#include <set>

#include "tests/app/albums/maintenance/MaintenanceFixture.h"
#include "tests/support/KillRounds.h"

namespace cdz::test {
namespace {

constexpr int kSongs = 3000;
constexpr int kBatch = 100;
constexpr int kSongsPerAlbum = 7;  // so albums straddle batches
constexpr int kRounds = killRounds(10);

void makeSongs(Catalogue& c) {
    ASSERT_EQ(beginTransaction(c.database(), {&c.file(F::Cadenzio)}, 2000), 0);
    for (int i = 0; i < kSongs; ++i) {
        c.file(F::Cadenzio).clearBuffer();
        c.song().Artist = "Band";
        c.song().Album = "Album " + std::to_string(i / kSongsPerAlbum);
        c.song().Title = "Song " + std::to_string(i);
        ASSERT_EQ(c.file(F::Cadenzio).add(), 0);
    }
    ASSERT_EQ(c.database().commit(), 0);
}

// The child: a station of its own running the pass, telling the parent after each batch.
int copyToAlbum(const std::filesystem::path& folder, int ticks) {
    Catalogue c(folder);
    c.setOpenRoutine(&openRecovering);
    MaintenanceRun run(c, MaintenancePass::CopyToAlbum, kBatch);
    if (!run.start()) return 1;
    const char tick = 'x';
    while (run.step()) {
        if (write(ticks, &tick, 1) != 1) return 2;
    }
    return run.fault() ? 3 : 0;
}

class MaintenanceKillTest : public MaintenanceTest {
protected:
    // The songs linked form whole batches from the start of the file, each linked to an album
    // that exists, and every album has its songs. Returns how many songs are linked.
    size_t checkWholeBatches() {
        std::set<int32_t> made;
        for (const AlbumRecord& a : albums()) made.insert(a.AlbumID);
        std::set<int32_t> used;
        size_t linked = 0;
        const auto all = songs();
        for (size_t i = 0; i < all.size(); ++i) {
            if (all[i].AlbumID == 0) continue;
            ++linked;
            EXPECT_EQ(made.count(all[i].AlbumID), 1u) << "song " << i;
            used.insert(all[i].AlbumID);
        }
        EXPECT_EQ(used, made);
        EXPECT_TRUE(linked % kBatch == 0 || linked == all.size()) << linked;
        for (size_t i = 0; i < all.size(); ++i) EXPECT_EQ(all[i].AlbumID != 0, i < linked) << i;
        return linked;
    }
};

TEST_F(MaintenanceKillTest, KilledPassLeavesEveryBatchWhole) {
    makeSongs(cat);
    std::mt19937 random(20261207);
    for (int round = 0; round < kRounds; ++round) {
        SCOPED_TRACE(round);
        cat.release(F::Cadenzio);
        cat.release(F::Album);
        int fd[2];
        ASSERT_EQ(pipe(fd), 0);
        const pid_t child = fork();
        if (child == 0) _exit(copyToAlbum(dir.path(), fd[1]));
        close(fd[1]);
        // Killed after a few batches, at a random moment of the next one.
        const int batches = std::uniform_int_distribution<int>(1, kSongs / kBatch - 2)(random);
        char tick = 0;
        bool started = true;
        for (int b = 0; b < batches && started; ++b) started = read(fd[0], &tick, 1) == 1;
        usleep(std::uniform_int_distribution<useconds_t>(0, 20000)(random));
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        close(fd[0]);
        ASSERT_TRUE(started);
        EXPECT_TRUE(WIFSIGNALED(status));  // it was stopped in the middle
        ASSERT_EQ(cat.use(F::Album), 0);
        ASSERT_EQ(cat.use(F::Cadenzio), 0);
        checkWholeBatches();
        // Undo for the next round: the files start over from songs alone.
        ASSERT_EQ(
            beginTransaction(cat.database(), {&cat.file(F::Album), &cat.file(F::Cadenzio)}, 2000),
            0);
        DataFile& albumFile = cat.file(F::Album);
        ASSERT_EQ(albumFile.set(), 0);
        while (albumFile.next() == 0) ASSERT_EQ(albumFile.erase(), 0);
        DataFile& songs = cat.file(F::Cadenzio);
        ASSERT_EQ(songs.set(), 0);
        while (songs.next() == 0) {
            if (cat.song().AlbumID == 0) continue;
            cat.song().AlbumID = 0;
            ASSERT_EQ(songs.put(), 0);
        }
        ASSERT_EQ(cat.database().commit(), 0);
    }
    // A killed pass is finished by running it again: one album per title, every song on it.
    ASSERT_TRUE(runPass(MaintenancePass::CopyToAlbum, kBatch));
    EXPECT_EQ(checkWholeBatches(), static_cast<size_t>(kSongs));
    EXPECT_EQ(albums().size(), static_cast<size_t>((kSongs + kSongsPerAlbum - 1) / kSongsPerAlbum));
}

}  // namespace
}  // namespace cdz::test
