// The chart copy killed at random moments, ten rounds: the file stays sound, every note keeps
// exactly one marker or none (the entries marked are those the walk had reached), and the copy
// run again marks every entry once.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <random>

#include "app/domain/data/Catalogue.h"
#include "app/playlists/ChartCopy.h"
#include "tests/app/domain/data/OpenRecovering.h"
#include "tests/support/KillRounds.h"
#include "tests/support/TempDir.h"

namespace cdz::test {
namespace {

using F = CatalogueFile;

constexpr int kEntries = 200;
constexpr int kRounds = killRounds(10);

int markers(std::string_view note) {
    int n = 0;
    for (size_t at = note.find(" LW:"); at != std::string_view::npos;
         at = note.find(" LW:", at + 1))
        ++n;
    return n;
}

// The child: a station of its own copying the chart, telling the parent after each batch.
int copyChart(const std::filesystem::path& folder, int ticks) {
    Catalogue c(folder);
    c.setOpenRoutine(&openRecovering);
    if (c.use(F::PlaylistDetails) != 0) return 1;
    ChartCopy copy(c, 1);
    if (!copy.start()) return 2;
    const char tick = 'x';
    while (copy.step()) {
        if (write(ticks, &tick, 1) != 1) return 3;
    }
    return copy.failed() ? 4 : 0;
}

TEST(ChartCopyKill, AKilledCopyLeavesWholeNotesAndARerunMarksEveryEntryOnce) {
    TempDir dir;
    Catalogue cat(dir.path());
    cat.setOpenRoutine(&openRecovering);
    ASSERT_EQ(cat.use(F::PlaylistDetails), 0);
    DataFile& details = cat.file(F::PlaylistDetails);
    ASSERT_EQ(beginTransaction(cat.database(), {&details}, 2000), 0);
    for (int i = 1; i <= kEntries; ++i) {
        details.clearBuffer();
        cat.playlistEntry().PlaylistID = 1;
        cat.playlistEntry().PlaylistSeq = Decimal<6, 0>::fromRaw(i);
        cat.playlistEntry().ID = Decimal<6, 0>::fromRaw(i);
        cat.playlistEntry().PlaylistNotes = "note " + std::to_string(i);
        ASSERT_EQ(details.add(), 0);
    }
    ASSERT_EQ(cat.database().commit(), 0);
    std::mt19937 random(std::random_device{}());
    const auto check = [&](bool all) {
        ASSERT_EQ(details.set(), 0);
        int marked = 0;
        while (details.next() == 0) {
            const int n = markers(cat.playlistEntry().PlaylistNotes.clipped());
            EXPECT_LE(n, 1) << cat.playlistEntry().PlaylistNotes.clipped();
            marked += n;
        }
        if (all) {
            EXPECT_EQ(marked, kEntries);
        }
    };
    for (int round = 0; round < kRounds; ++round) {
        SCOPED_TRACE(round);
        cat.release(F::PlaylistDetails);
        int fd[2];
        ASSERT_EQ(pipe(fd), 0);
        const pid_t child = fork();
        if (child == 0) _exit(copyChart(dir.path(), fd[1]));
        close(fd[1]);
        const int batches =
            std::uniform_int_distribution<int>(0, kEntries / ChartCopy::kBatch - 2)(random);
        char tick = 0;
        for (int b = 0; b < batches && read(fd[0], &tick, 1) == 1; ++b) {
        }
        usleep(std::uniform_int_distribution<useconds_t>(0, 5000)(random));
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        close(fd[0]);
        ASSERT_EQ(cat.use(F::PlaylistDetails), 0);
        check(false);
    }
    ChartCopy again(cat, 1);
    ASSERT_TRUE(again.start());
    while (again.step()) {
    }
    EXPECT_FALSE(again.failed());
    check(true);
}

}  // namespace
}  // namespace cdz::test
