// Four stations editing the same songs at once, each save under the change watch.
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <random>
#include <set>

#include <gtest/gtest.h>

#include "runtime/data/DataFile.h"
#include "tests/runtime/data/TestDatabase.h"
#include "tests/runtime/data/TestFiles.h"
#include "tests/support/TempDir.h"

namespace cdz::test {
namespace {

constexpr int kSongs = 40;
constexpr int kStations = 4;
constexpr int kEdits = 1000;

// One station's edits: each reads a random song watched, waits a little (so that the others
// come between), writes its own mark into the notes and saves. Every save that went through is
// logged with the mark it replaced; every refusal is counted by its code.
int editAtRandom(const std::filesystem::path& folder, int station) {
    TestDatabase db{folder};
    SongRec s;
    DataFile f{db, songDecl(), s};
    if (f.open()) return 1;
    std::ofstream log(folder / ("station" + std::to_string(station) + ".log"));
    std::mt19937 rng(static_cast<unsigned>(station) * 7919u + 1u);
    std::map<int, int> refused;
    for (int e = 0; e < kEdits; ++e) {
        const int64_t recno = 1 + static_cast<int64_t>(rng() % kSongs);
        f.watch();
        if (int code = f.getRecord(recno)) {
            ++refused[code];
            continue;
        }
        const std::string before = s.Notes;
        usleep(static_cast<useconds_t>(rng() % 1500));
        s.Notes = std::to_string(station) + "." + std::to_string(e);
        const int code = f.put();
        if (code == 0) {
            log << recno << ' ' << (before.empty() ? "-" : before) << ' ' << s.Notes << '\n';
        } else {
            ++refused[code];
        }
    }
    for (const auto& [code, n] : refused) log << "refused " << code << ' ' << n << '\n';
    return log ? 0 : 2;
}

// Every save reported as done is kept: the saves of each song form one chain, each replacing
// the mark of the one before (two saves that replaced the same mark would be a lost update),
// and the song ends with the last mark of its chain. Every conflict is refused with 89.
TEST(StationEdits, FourStationsLoseNoSaveAndEveryConflictIs89) {
    TempDir dir;
    TestDatabase db{dir.path()};
    SongRec song;
    DataFile songs{db, songDecl(), song};
    ASSERT_EQ(songs.create(), 0);
    ASSERT_EQ(songs.open(), 0);
    for (int i = 0; i < kSongs; ++i) {
        song = SongRec{};
        song.Title = "song " + std::to_string(i);
        ASSERT_EQ(songs.add(), 0);
    }
    std::vector<pid_t> stations;
    for (int k = 0; k < kStations; ++k) {
        const pid_t pid = fork();
        if (pid == 0) _exit(editAtRandom(dir.path(), k));
        stations.push_back(pid);
    }
    for (pid_t pid : stations) {
        int status = 0;
        waitpid(pid, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }

    std::map<int64_t, std::map<std::string, std::string>> next;  // song -> mark -> next mark
    std::map<int, int> refused;
    int saves = 0;
    for (int k = 0; k < kStations; ++k) {
        std::ifstream in(dir.path() / ("station" + std::to_string(k) + ".log"));
        std::string first;
        while (in >> first) {
            if (first == "refused") {
                int code = 0, n = 0;
                in >> code >> n;
                refused[code] += n;
                continue;
            }
            std::string before, after;
            in >> before >> after;
            ++saves;
            const bool fresh = next[std::stoll(first)].emplace(before, after).second;
            EXPECT_TRUE(fresh) << "song " << first << ": two saves replaced " << before;
        }
    }
    for (int64_t recno = 1; recno <= kSongs; ++recno) {
        std::string mark = "-";
        const auto& chain = next[recno];
        for (size_t steps = 0; chain.count(mark); ++steps) {
            ASSERT_LE(steps, chain.size()) << "song " << recno << " saves in a circle";
            mark = chain.at(mark);
        }
        ASSERT_EQ(songs.getRecord(recno), 0);
        EXPECT_EQ(song.Notes.empty() ? "-" : song.Notes, mark) << "song " << recno;
    }
    EXPECT_EQ(refused.size(), refused.count(err::kRecordChanged)) << "a refusal other than 89";
    EXPECT_GT(refused[err::kRecordChanged], 0) << "no conflict arose";
    EXPECT_EQ(saves + refused[err::kRecordChanged], kStations * kEdits);
    RecordProperty("saves", saves);
    RecordProperty("conflicts", refused[err::kRecordChanged]);
    std::printf("%d stations, %d edits each: %d saves, %d refused with 89\n", kStations, kEdits,
                saves, refused[err::kRecordChanged]);
}

}  // namespace
}  // namespace cdz::test
