// Two stations in two processes (fork), each with its own connection: a record changed by the
// other station, a transaction that waits for the other's files, and an album deletion killed
// at a random moment.
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <random>

#include "tests/app/domain/integrity/IntegrityFixture.h"
#include "tests/support/StationProcess.h"

namespace cdz::test {
namespace {

using Clock = std::chrono::steady_clock;

class IntegrityStationTest : public IntegrityTest {};

TEST_F(IntegrityStationTest, RecordChangedByTheOtherStationReturnsTheirVersion) {
    useFiles({F::Album, F::Cadenzio});
    const int32_t album = addAlbum("Mine");
    addSong("song", 0, album);
    cat.album().AlbumID = album;
    load(F::Album);
    integrity.savedLinks().record(cat, F::Album);

    const int rc = waitFor(station([&] {
        Station other(dir.path());
        if (other.catalogue.use(F::Album)) return 1;
        other.catalogue.album().AlbumID = album;
        if (other.catalogue.file(F::Album).get(0)) return 2;
        other.integrity.savedLinks().record(other.catalogue, F::Album);
        other.catalogue.album().Album = "Theirs";
        other.catalogue.album().AlbumID = 55;  // and the songs follow
        return other.integrity.RIUpdate(F::Album, 1) == Integrity::kDone ? 0 : 3;
    }));
    ASSERT_EQ(rc, 0);

    cat.album().Album = "My edit";
    EXPECT_EQ(integrity.RIUpdate(F::Album, 1), Integrity::kChangedByOther);
    EXPECT_EQ(cat.album().Album, "Theirs");
    EXPECT_EQ(cat.album().AlbumID, 55);
    ASSERT_EQ(shown().size(), 1u);
    EXPECT_EQ(shown()[0].substr(0, 22), "Record Was Not Updated");
    EXPECT_EQ(songsWhere([](const SongRecord& s) { return s.AlbumID == 55; }), 1u);

    // The record is watched again: the user's second save goes through.
    cat.album().Album = "My edit";
    EXPECT_EQ(integrity.RIUpdate(F::Album, 1), Integrity::kDone);
    EXPECT_EQ(all(F::Album, cat.album()).front().Album, "My edit");
}

TEST_F(IntegrityStationTest, TransactionWaitsTwoSecondsForTheOtherStationsFiles) {
    useFiles({F::Album, F::Cadenzio});
    const int32_t album = addAlbum("album");
    addSong("song", 0, album);
    Signal ready, letGo;
    pid_t holder = station([&] {
        Station other(dir.path());
        if (other.catalogue.use(F::Cadenzio)) return 1;
        if (beginTransaction(other.catalogue.database(), {&other.catalogue.file(F::Cadenzio)},
                             1000)) {
            return 2;
        }
        if (!ready.raise()) return 3;
        letGo.wait();
        return other.catalogue.database().rollback();
    });
    ASSERT_TRUE(ready.wait());

    // The other station holds its files until it is let go, so the deletion coming back at all
    // shows that its wait has a limit.
    cat.album().AlbumID = album;
    load(F::Album);
    const auto start = Clock::now();
    EXPECT_EQ(integrity.RIDelete(F::Album), Integrity::kNotDone);
    EXPECT_GE(Clock::now() - start, std::chrono::milliseconds(1800));
    EXPECT_EQ(shown(), std::vector<std::string>{
                           "Transaction Framing Error|Error: (File Is Locked (32)) attempting to "
                           "frame the delete transaction on Album.  Delete transaction "
                           "cancelled."});
    letGo.raise();
    EXPECT_EQ(waitFor(holder), 0);
    EXPECT_EQ(count(F::Album), 1u);
    EXPECT_EQ(count(F::Cadenzio), 1u);
}

constexpr int kAlbumSongs = 10000;
constexpr int kLooseSongs = 5;

// The album of kAlbumSongs songs (made in one transaction), its number.
int32_t makeAlbum(const std::filesystem::path& folder) {
    Station s(folder);
    Catalogue& c = s.catalogue;
    EXPECT_EQ(c.use(F::Album), 0);
    EXPECT_EQ(c.use(F::Cadenzio), 0);
    EXPECT_EQ(beginTransaction(c.database(), {&c.file(F::Album), &c.file(F::Cadenzio)}, 2000), 0);
    c.file(F::Album).clearBuffer();
    c.album().Album = "Big";
    EXPECT_EQ(c.file(F::Album).add(), 0);
    const int32_t id = c.album().AlbumID;
    for (int i = 0; i < kAlbumSongs; ++i) {
        c.file(F::Cadenzio).clearBuffer();
        c.song().Title = "track " + std::to_string(i);
        c.song().Artist = "artist " + std::to_string(i % 97);
        c.song().AlbumID = id;
        c.song().TrackNumber = static_cast<uint8_t>(i % 200);
        EXPECT_EQ(c.file(F::Cadenzio).add(), 0);
    }
    EXPECT_EQ(c.database().commit(), 0);
    return id;
}

// The child: deletes the album through RIDelete, telling the parent just before.
int deleteAlbum(const std::filesystem::path& folder, int32_t id, const Signal& ready) {
    Station s(folder);
    if (s.catalogue.use(F::Album) || s.catalogue.use(F::Cadenzio)) return 1;
    s.catalogue.album().AlbumID = id;
    if (s.catalogue.file(F::Album).get(0)) return 2;
    if (!ready.raise()) return 3;
    return s.integrity.RIDelete(F::Album) == Integrity::kDone ? 0 : 4;
}

struct Outcome {
    bool albumThere = false;
    size_t albumSongs = 0;
    size_t looseSongs = 0;
    size_t entries = 0;
};

// What the parent finds after the child ended, with every file checked by SQLite.
Outcome inspect(const std::filesystem::path& folder, int32_t id, int* recovered) {
    Station s(folder);
    s.catalogue.setOpenRoutine([recovered](DataFile& f) {
        int code = f.open();
        if (code == err::kFileLocked) {
            ++*recovered;
            f.send("Recover=10");
            code = f.open();
        }
        return code;
    });
    Catalogue& c = s.catalogue;
    Outcome out;
    for (F f : {F::Album, F::Cadenzio, F::PlaylistDetails}) {
        EXPECT_EQ(c.use(f), 0) << c.database().error().driverText;
        Statement check =
            c.database().statement("PRAGMA " + c.file(f).sql().schema() + ".integrity_check");
        EXPECT_TRUE(check);
        if (!check) continue;
        EXPECT_TRUE(check.step().row());
        EXPECT_EQ(check.text(0), "ok");
    }
    c.album().AlbumID = id;
    out.albumThere = c.file(F::Album).get(0) == 0;
    DataFile& songs = c.file(F::Cadenzio);
    EXPECT_EQ(songs.set(), 0);
    while (songs.next() == 0) (c.song().AlbumID == id ? out.albumSongs : out.looseSongs)++;
    out.entries = static_cast<size_t>(c.file(F::PlaylistDetails).records());
    EXPECT_EQ(static_cast<size_t>(songs.records()), out.albumSongs + out.looseSongs);
    return out;
}

TEST_F(IntegrityStationTest, KilledAlbumDeletionLeavesAllOrNothing) {
    // Loose songs, one on a playlist: no deletion may touch them.
    useFiles({F::Cadenzio, F::PlaylistMaster, F::PlaylistDetails});
    for (int i = 0; i < kLooseSongs; ++i) addSong("loose " + std::to_string(i));
    addEntry(addPlaylist("list"), cat.song().ID);
    for (F f : {F::PlaylistDetails, F::PlaylistMaster, F::Cadenzio}) cat.release(f);
    ASSERT_EQ(cat.database().attachedCount(), 0);  // nothing of ours is open across fork

    std::mt19937 rng(20240611);
    int32_t id = makeAlbum(dir.path());
    // How long an undisturbed deletion takes, so that the kills land all over it.
    Clock::duration whole{};
    int recovered = 0;
    int killedInside = 0;
    int completed = 0;
    for (int round = 0; round < 7; ++round) {
        SCOPED_TRACE(round);
        Signal ready;
        pid_t child = station([&] { return deleteAlbum(dir.path(), id, ready); });
        ASSERT_TRUE(ready.wait());
        const auto start = Clock::now();
        if (round > 0) {
            // Every other kill aims at the last part, where the commit writes the files.
            const auto span = std::chrono::duration_cast<std::chrono::microseconds>(whole).count();
            const int64_t from = round % 2 ? 0 : span * 85 / 100;
            const int64_t width = span * 110 / 100 - from + 1;
            usleep(static_cast<useconds_t>(
                from + static_cast<int64_t>(rng() % static_cast<uint64_t>(width))));
            kill(child, SIGKILL);
        }
        const int status = waitFor(child);
        if (round == 0) {
            ASSERT_EQ(status, 0);
            whole = Clock::now() - start;
        }
        if (status == 100 + SIGKILL) ++killedInside;

        Outcome o = inspect(dir.path(), id, &recovered);
        EXPECT_EQ(o.looseSongs, static_cast<size_t>(kLooseSongs));
        EXPECT_EQ(o.entries, 1u);
        if (o.albumThere) {
            EXPECT_EQ(o.albumSongs, static_cast<size_t>(kAlbumSongs));
        } else {
            EXPECT_EQ(o.albumSongs, 0u);
            ++completed;
            id = makeAlbum(dir.path());
        }
        EXPECT_TRUE(status == 0 || status == 100 + SIGKILL) << status;
    }
    EXPECT_GT(killedInside, 0);
    RecordProperty("killed", killedInside);
    RecordProperty("completed", completed);
    RecordProperty("recovered", recovered);
    std::cout << "deletion took "
              << std::chrono::duration_cast<std::chrono::milliseconds>(whole).count()
              << " ms; killed " << killedInside << ", completed " << completed << ", recovered "
              << recovered << "\n";
}

}  // namespace
}  // namespace cdz::test
