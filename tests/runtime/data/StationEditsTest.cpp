// Four stations editing the same songs at once, each save under the change watch.
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <random>
#include <set>
#include <utility>

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
constexpr int kAddBatches = 10;
constexpr int kAddsPerBatch = 50;

// The stations open the file first and start editing together: an open waiting behind three
// stations that already write could run out of its lock wait, which is not what is tested here.
struct StartLine {
    int ready[2] = {-1, -1};
    int go[2] = {-1, -1};
    StartLine() {
        if (pipe(ready) != 0 || pipe(go) != 0) std::abort();
    }
    ~StartLine() {
        for (int fd : {ready[0], ready[1], go[0], go[1]}) close(fd);
    }
    void reached() const {
        char c = 1;
        if (write(ready[1], &c, 1) != 1 || read(go[0], &c, 1) != 1) std::abort();
    }
    // In the test's own process, after the forks: a station that died before its open ends
    // the wait (its end of the pipe closes) and is reported by its exit status.
    void start(int stations) {
        close(std::exchange(ready[1], -1));
        close(std::exchange(go[0], -1));
        char c = 0;
        for (int k = 0; k < stations && read(ready[0], &c, 1) == 1; ++k) {
        }
        for (int k = 0; k < stations; ++k) {
            if (write(go[1], &c, 1) != 1) break;
        }
    }
};

// One station's edits: each reads a random song watched, waits a little (so that the others
// come between), writes its own mark into the notes and saves. Every save that went through is
// logged with the mark it replaced; every refusal is counted by its code.
int editAtRandom(DataFile& f, SongRec& s, const std::filesystem::path& folder, int station) {
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

// The songs file of the test's folder, made and open; the stations are other processes on it.
class StationEdits : public ::testing::Test {
protected:
    // One station's work on the songs file it opened; its exit status (0: it ended well).
    using Station = int (*)(DataFile&, SongRec&, const std::filesystem::path&, int);

    void SetUp() override {
        ASSERT_EQ(songs.create(), 0);
        ASSERT_EQ(songs.open(), 0);
    }

    // Runs `station` in kStations processes that start together, each ending well.
    void runStations(Station station) {
        std::vector<pid_t> stations;
        StartLine line;
        for (int k = 0; k < kStations; ++k) {
            const pid_t pid = fork();
            if (pid == 0) _exit(openAndRun(station, dir.path(), k, line));
            stations.push_back(pid);
        }
        line.start(kStations);
        for (pid_t pid : stations) {
            int status = 0;
            waitpid(pid, &status, 0);
            EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        }
    }

    TempDir dir;
    TestDatabase db{dir.path()};
    SongRec song;
    DataFile songs{db, songDecl(), song};

private:
    // In a station's process: its own connection and open, at the start line with the others.
    static int openAndRun(Station station, const std::filesystem::path& folder, int k,
                          const StartLine& line) {
        TestDatabase own{folder};
        SongRec s;
        DataFile f{own, songDecl(), s};
        const int opened = f.open();
        line.reached();
        if (opened) {
            std::fprintf(stderr, "station %d: open refused with %d\n", k, opened);
            return 1;
        }
        return station(f, s, folder, k);
    }
};

// Every save reported as done is kept: the saves of each song form one chain, each replacing
// the mark of the one before (two saves that replaced the same mark would be a lost update),
// and the song ends with the last mark of its chain. Every conflict is refused with 89.
TEST_F(StationEdits, FourStationsLoseNoSaveAndEveryConflictIs89) {
    for (int i = 0; i < kSongs; ++i) {
        song = SongRec{};
        song.Title = "song " + std::to_string(i);
        ASSERT_EQ(songs.add(), 0);
    }
    runStations(editAtRandom);

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
    // A conflict is refused with 89; on a loaded machine a station may also find the file
    // locked past its wait (32), which it is told, so that edit is refused, not lost.
    int total = saves;
    for (const auto& [code, n] : refused) {
        EXPECT_TRUE(code == err::kRecordChanged || code == err::kFileLocked)
            << n << " refused with " << code;
        total += n;
    }
    EXPECT_GT(refused[err::kRecordChanged], 0) << "no conflict arose";
    EXPECT_EQ(total, kStations * kEdits);
    RecordProperty("saves", saves);
    RecordProperty("conflicts", refused[err::kRecordChanged]);
    std::printf("%d stations, %d edits each: %d saves, %d refused with 89, %d with 32\n", kStations,
                kEdits, saves, refused[err::kRecordChanged], refused[err::kFileLocked]);
}

// One station's adds, in streams of 50: every song numbered by the file. Logs the numbers it
// was given and its refusals by code.
int addInStreams(DataFile& f, SongRec& s, const std::filesystem::path& folder, int station) {
    std::ofstream log(folder / ("adds" + std::to_string(station) + ".log"));
    for (int batch = 0; batch < kAddBatches; ++batch) {
        if (f.stream()) return 3;
        for (int i = 0; i < kAddsPerBatch; ++i) {
            s = SongRec{};
            s.Title =
                std::to_string(station) + "-" + std::to_string(batch) + "-" + std::to_string(i);
            const int code = f.add();
            log << (code ? "refused " + std::to_string(code) : std::to_string(s.ID)) << '\n';
        }
        if (f.flush()) return 4;
    }
    return log ? 0 : 2;
}

// Stations adding at once never give two songs one number: every number a station was given is
// stored once, with the song it was given to, and the count is the number of songs added.
TEST_F(StationEdits, StationsAddingAtOnceNumberEverySongOnce) {
    runStations(addInStreams);
    std::set<int32_t> numbers;
    int added = 0;
    for (int k = 0; k < kStations; ++k) {
        std::ifstream in(dir.path() / ("adds" + std::to_string(k) + ".log"));
        for (std::string word; in >> word;) {
            if (word == "refused") {
                int code = 0;
                in >> code;
                EXPECT_EQ(code, err::kFileLocked);  // only a wait that ran out on a loaded machine
                continue;
            }
            ++added;
            EXPECT_TRUE(numbers.insert(std::stoi(word)).second) << "number " << word << " twice";
        }
    }
    EXPECT_GT(added, kStations * kAddBatches * kAddsPerBatch / 2);
    EXPECT_EQ(songs.records(), added);
    song = SongRec{};
    ASSERT_EQ(songs.set(songs.keyIndex("KeyID")), 0);
    int stored = 0;
    for (; songs.next() == 0; ++stored) EXPECT_EQ(numbers.count(song.ID), 1u) << song.ID;
    EXPECT_EQ(stored, added);
}

}  // namespace
}  // namespace cdz::test
