// File operations on real files: open, create, keys, sequential reading, writes, error codes.
#include <sqlite3.h>

#include <chrono>
#include <fstream>
#include <functional>
#include <tuple>

#include <gtest/gtest.h>

#include "runtime/data/DataFile.h"
#include "tests/runtime/data/TestDatabase.h"
#include "tests/runtime/data/TestFiles.h"
#include "tests/support/TempDir.h"

namespace cdz::test {
namespace {

class DataFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(songs.create(), 0) << db.error().text << db.error().driverText;
        ASSERT_EQ(songs.open(), 0) << db.error().text << db.error().driverText;
    }

    int addSong(std::string_view artist, std::string_view title, int32_t category = 0) {
        song = SongRec{};
        song.Artist = artist;
        song.Title = title;
        song.CategoryID = category;
        return songs.add();
    }

    // Every title in the key's order, read with next() (or previous()) from a set().
    std::vector<std::string> walk(int key, bool forward = true) {
        std::vector<std::string> out;
        EXPECT_EQ(songs.set(key), 0);
        while ((forward ? songs.next() : songs.previous()) == 0) out.push_back(song.Title.str());
        EXPECT_EQ(db.error().code, err::kRecordNotAvailable) << db.error().driverText;
        return out;
    }

    TempDir dir;
    TestDatabase db{dir.path()};
    SongRec song;
    DataFile songs{db, songDecl(), song};
    const int byArtist = songDecl().keyIndex("SNG:ByArtist");
    const int keyID = songDecl().keyIndex("SNG:KeyID");
    const int byTitle = songDecl().keyIndex("SNG:ByTitle");
    const int byCategory = songDecl().keyIndex("SNG:ByCategory");
};

TEST_F(DataFileTest, AddNumbersGetsAndCounts) {
    EXPECT_EQ(songs.records(), 0);
    ASSERT_EQ(addSong("Queen", "Bicycle"), 0);
    EXPECT_EQ(song.ID, 1);
    ASSERT_EQ(addSong("Abba", "Waterloo"), 0);
    EXPECT_EQ(song.ID, 2);
    song = SongRec{};
    song.ID = 10;  // a given number is kept; the next one follows the highest
    song.Title = "Ten";
    ASSERT_EQ(songs.add(), 0);
    ASSERT_EQ(addSong("X", "Eleven"), 0);
    EXPECT_EQ(song.ID, 11);
    EXPECT_EQ(songs.records(), 4);

    song = SongRec{};
    song.ID = 2;
    ASSERT_EQ(songs.get(keyID), 0);
    EXPECT_EQ(song.Artist, "Abba");
    EXPECT_EQ(song.Title, "Waterloo");
    song.ID = 3;
    EXPECT_EQ(songs.get(keyID), err::kRecordNotFound);
    EXPECT_EQ(db.error().text, "Record Not Found");
    EXPECT_EQ(song.ID, 3);  // a failed get leaves the buffer alone
}

TEST_F(DataFileTest, KeyOrderForwardBackwardAndFromValues) {
    for (auto [a, t] : {std::pair{"beta", "b1"},
                        {"Alpha", "a2"},
                        {"alpha", "a1"},
                        {"Gamma", "g"},
                        {"Beta", "b2"}}) {
        ASSERT_EQ(addSong(a, t), 0);
    }
    // ByArtist ignores case: alpha/Alpha sort together, then by title.
    EXPECT_EQ(walk(byArtist), (std::vector<std::string>{"a1", "a2", "b1", "b2", "g"}));
    EXPECT_EQ(walk(byArtist, false), (std::vector<std::string>{"g", "b2", "b1", "a2", "a1"}));
    EXPECT_EQ(walk(kRecordOrder), (std::vector<std::string>{"b1", "a2", "a1", "g", "b2"}));

    // At values: the first record at or after them; previous from there goes back.
    song = SongRec{};
    song.Artist = "BETA";
    ASSERT_EQ(songs.setAt(byArtist), 0);
    ASSERT_EQ(songs.next(), 0);
    EXPECT_EQ(song.Title, "b1");
    ASSERT_EQ(songs.next(), 0);
    EXPECT_EQ(song.Title, "b2");
    ASSERT_EQ(songs.previous(), 0);
    EXPECT_EQ(song.Title, "b1");
    ASSERT_EQ(songs.previous(), 0);
    EXPECT_EQ(song.Title, "a2");

    song.Artist = "zzz";
    ASSERT_EQ(songs.setAt(byArtist), 0);
    EXPECT_EQ(songs.next(), err::kRecordNotAvailable);
    ASSERT_EQ(songs.previous(), 0);  // the last record before values past the end
    EXPECT_EQ(song.Title, "g");
}

// A case-blind key files accented names with their letters, and a typed beginning without
// the accent lands on them.
TEST_F(DataFileTest, AccentedNamesFileWithTheirLetters) {
    for (auto [a, t] : {std::pair{"Shostakovich", "s"},
                        {"Zappa", "z"},
                        {"Édith Piaf", "e2"},
                        {"Ødegaard", "o"},
                        {"Eagles", "e1"},
                        {"Straße", "s2"},
                        {"Fauré", "f"}}) {
        ASSERT_EQ(addSong(a, t), 0);
    }
    EXPECT_EQ(walk(byArtist), (std::vector<std::string>{"e1", "e2", "f", "o", "s", "s2", "z"}));
    for (auto [typed, first] : {std::pair{"ed", "e2"}, {"éd", "e2"}, {"É", "e1"}, {"o", "o"}}) {
        song = SongRec{};
        song.Artist = typed;
        ASSERT_EQ(songs.setAt(byArtist), 0);
        ASSERT_EQ(songs.next(), 0);
        EXPECT_EQ(song.Title, first) << typed;
    }
}

TEST_F(DataFileTest, ReadAheadGivesTheSameSequence) {
    ASSERT_EQ(songs.stream(), 0);
    for (int i = 0; i < 100; ++i) ASSERT_EQ(addSong("A", "t" + std::to_string(1000 + i)), 0);
    ASSERT_EQ(songs.flush(), 0);
    auto plain = walk(byArtist);
    songs.send("QUICKSCAN=on");
    EXPECT_TRUE(songs.quickScan());
    EXPECT_EQ(walk(byArtist), plain);
    EXPECT_EQ(plain.size(), 100u);
    // Changing direction in the middle of a read-ahead page continues from the current record.
    ASSERT_EQ(songs.set(byArtist), 0);
    for (int i = 0; i < 5; ++i) ASSERT_EQ(songs.next(), 0);
    ASSERT_EQ(songs.previous(), 0);
    EXPECT_EQ(song.Title, "t1003");
    songs.send("QUICKSCAN=off");
    EXPECT_FALSE(songs.quickScan());
}

TEST_F(DataFileTest, CaseRulesOfKeys) {
    ASSERT_EQ(addSong("BJÖRK", "Abbey Road"), 0);
    // A case-sensitive unique key holds both spellings...
    ASSERT_EQ(addSong("other", "abbey road"), 0);
    // ...but not the same one twice.
    EXPECT_EQ(addSong("third", "Abbey Road"), err::kDuplicateKey);
    EXPECT_EQ(db.error().text, "Creates Duplicate Key");
    if (!onServer()) {
        EXPECT_EQ(db.error().driverCode, SQLITE_CONSTRAINT_UNIQUE);
    }
    EXPECT_EQ(songs.records(), 2);

    // The case-insensitive key finds "BJÖRK" from "björk", with full folding (ß = SS).
    song = SongRec{};
    song.Artist = "björk";
    song.Title = "ABBEY ROAD";
    ASSERT_EQ(songs.get(byArtist), 0);
    EXPECT_EQ(song.Artist, "BJÖRK");
    EXPECT_EQ(song.Title, "Abbey Road");
    ASSERT_EQ(addSong("Straße", "s1"), 0);
    song = SongRec{};
    song.Artist = "STRASSE";
    song.Title = "S1";
    EXPECT_EQ(songs.get(byArtist), 0);
}

TEST_F(DataFileTest, UnicodeTextsAtTheirWidthAndFullMemos) {
    std::string wide;
    for (int i = 0; i < 20; ++i) wide += "é";  // 20 characters, 40 bytes
    song = SongRec{};
    song.Artist = wide + "overflow";
    song.Title = "日本語のタイトル、二十文字ちょうどになるように";
    std::string memo;
    for (int i = 0; i < 300; ++i) memo += "ж";
    song.Notes = memo + "cut";
    song.Price = Decimal<4, 2>::fromRaw(99999);
    song.Year = -32768;
    song.Rating = 255;
    ASSERT_EQ(songs.add(), 0);
    int32_t id = song.ID;

    song = SongRec{};
    song.ID = id;
    ASSERT_EQ(songs.get(keyID), 0);
    EXPECT_EQ(song.Artist.str(), wide);
    EXPECT_EQ(charCount(song.Title.view()), 20);
    EXPECT_EQ(song.Notes, memo);
    EXPECT_EQ(song.Price.raw(), 99999);
    EXPECT_EQ(song.Year, -32768);
    EXPECT_EQ(song.Rating, 255);
}

TEST_F(DataFileTest, PutDeleteAndCurrentRecord) {
    EXPECT_EQ(songs.put(), err::kRecordNotAvailable);  // nothing read yet
    ASSERT_EQ(addSong("A", "one"), 0);
    ASSERT_EQ(addSong("B", "two"), 0);
    song.Title = "one";
    EXPECT_EQ(songs.put(), err::kDuplicateKey);  // the unique title is taken
    song.Title = "deux";
    song.Notes = "changed";
    ASSERT_EQ(songs.put(), 0);
    int64_t recno = songs.recordNumber();

    song = SongRec{};
    ASSERT_EQ(songs.getRecord(recno), 0);
    EXPECT_EQ(song.Title, "deux");
    EXPECT_EQ(song.Notes, "changed");
    ASSERT_EQ(songs.erase(), 0);
    EXPECT_EQ(songs.records(), 1);
    EXPECT_EQ(songs.recordNumber(), 0);
    EXPECT_EQ(songs.erase(), err::kRecordNotAvailable);
    EXPECT_EQ(songs.getRecord(recno), err::kRecordNotFound);
    EXPECT_EQ(walk(byArtist), std::vector<std::string>{"one"});
}

// Replacing a key's leading value in every record that carries it: compared as the key
// compares it, with the folded copy and the revision following, and refused whole by a
// unique key.
TEST_F(DataFileTest, ReplaceAllChangesEveryRecordThatCarriesTheValue) {
    for (auto [artist, title, category] : {std::tuple{"Queen", "q1", 3},
                                           {"queen", "q2", 3},
                                           {"QUEEN", "q3", 0},
                                           {"Queens", "q4", 3},
                                           {"Abba", "a1", 0}}) {
        ASSERT_EQ(addSong(artist, title, category), 0);
    }
    // Another station holds the first song under a change watch.
    TestDatabase theirDb{dir.path()};
    SongRec theirs;
    DataFile other{theirDb, songDecl(), theirs};
    ASSERT_EQ(other.open(), 0);
    other.watch();
    ASSERT_EQ(other.getRecord(1), 0);

    struct Case {
        const char* why;
        int key;
        std::function<void()> from;
        SqlValue to;
        int code;
        int64_t changed;
        std::vector<std::string> after;  // artist/title/category in record order
    } cases[] = {
        {"a text in any case",
         byArtist,
         [&] { song.Artist = "qUEEN"; },
         std::string("Straße"),
         0,
         3,
         {"Straße/q1/3", "Straße/q2/3", "Straße/q3/0", "Queens/q4/3", "Abba/a1/0"}},
        {"a number",
         byCategory,
         [&] { song.CategoryID = 3; },
         int64_t{9},
         0,
         3,
         {"Straße/q1/9", "Straße/q2/9", "Straße/q3/0", "Queens/q4/9", "Abba/a1/0"}},
        {"a value nobody carries",
         byArtist,
         [&] { song.Artist = "Nobody"; },
         std::string("X"),
         0,
         0,
         {"Straße/q1/9", "Straße/q2/9", "Straße/q3/0", "Queens/q4/9", "Abba/a1/0"}},
        {"a unique key taken",
         byTitle,
         [&] { song.Title = "q1"; },
         std::string("a1"),
         err::kDuplicateKey,
         -1,
         {"Straße/q1/9", "Straße/q2/9", "Straße/q3/0", "Queens/q4/9", "Abba/a1/0"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        song = SongRec{};
        c.from();
        int64_t changed = -1;
        EXPECT_EQ(songs.replaceAll(c.key, c.to, &changed), c.code) << db.error().driverText;
        EXPECT_EQ(changed, c.changed);
        std::vector<std::string> after;
        EXPECT_EQ(songs.set(), 0);
        while (songs.next() == 0) {
            after.push_back(song.Artist.str() + "/" + song.Title.str() + "/" +
                            std::to_string(song.CategoryID));
        }
        EXPECT_EQ(after, c.after);
    }
    // The folded copy follows: the case-insensitive key finds the new name.
    song = SongRec{};
    song.Artist = "STRASSE";
    song.Title = "Q2";
    EXPECT_EQ(songs.get(byArtist), 0);
    EXPECT_EQ(other.put(), err::kRecordChanged);
}

TEST_F(DataFileTest, DuplicateTestIgnoresTheRecordItself) {
    ASSERT_EQ(addSong("A", "one"), 0);
    EXPECT_EQ(songs.duplicate(), 0);  // the current record does not duplicate itself
    ASSERT_EQ(addSong("B", "two"), 0);
    song.Title = "one";
    EXPECT_EQ(songs.duplicate(), err::kDuplicateKey);
    EXPECT_EQ(db.error().code, err::kDuplicateKey);
    EXPECT_EQ(songs.duplicate(byTitle), err::kDuplicateKey);
    EXPECT_EQ(songs.duplicate(byArtist), 0);  // duplicates allowed there
    song.Title = "ONE";
    EXPECT_EQ(songs.duplicate(), 0);
    // A record not stored yet duplicates the current one too.
    song.Title = "two";
    EXPECT_EQ(songs.duplicate(), 0);
    EXPECT_EQ(songs.duplicateOfNew(), err::kDuplicateKey);
}

// Another station writing holds the file: the test cannot tell, and must not say "no duplicate".
TEST_F(DataFileTest, DuplicateTestReportsAFileItCannotRead) {
    CDZ_FILES_ONLY();
    ASSERT_EQ(addSong("A", "one"), 0);
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(songs.path().c_str(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    db.setLockWait(20);
    song.Title = "two";
    EXPECT_EQ(songs.duplicate(), err::kFileLocked);
    EXPECT_EQ(db.error().code, err::kFileLocked);
    EXPECT_EQ(db.error().driverCode & 0xff, SQLITE_BUSY);
    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    EXPECT_EQ(songs.duplicate(), 0);
}

TEST_F(DataFileTest, PositionsSurviveChangesAroundThem) {
    for (auto t : {"a", "b", "c", "d"}) ASSERT_EQ(addSong("X", t), 0);
    ASSERT_EQ(songs.set(byArtist), 0);
    ASSERT_EQ(songs.next(), 0);
    ASSERT_EQ(songs.next(), 0);
    std::string at = songs.position(byArtist);
    EXPECT_EQ(song.Title, "b");

    ASSERT_EQ(songs.reset(byArtist, at), 0);
    ASSERT_EQ(songs.next(), 0);
    EXPECT_EQ(song.Title, "b");  // reset includes the record itself
    ASSERT_EQ(songs.erase(), 0);
    ASSERT_EQ(songs.reset(byArtist, at), 0);
    ASSERT_EQ(songs.next(), 0);
    EXPECT_EQ(song.Title, "c");  // a deleted record's place still works
    ASSERT_EQ(songs.reset(byArtist, at), 0);
    ASSERT_EQ(songs.previous(), 0);
    EXPECT_EQ(song.Title, "a");

    std::string ofC = songs.position(keyID);
    song = SongRec{};
    ASSERT_EQ(songs.reget(ofC), 0);
    EXPECT_EQ(song.Title, "a");
    EXPECT_EQ(songs.reget("junk"), err::kRecordNotFound);
    EXPECT_EQ(songs.reset(byArtist, "junk"), err::kRecordNotFound);
}

TEST_F(DataFileTest, AutoNumberWithinLeadingComponents) {
    EntryRec e;
    DataFile entries{db, entryDecl(), e};
    ASSERT_EQ(entries.create(), 0);
    ASSERT_EQ(entries.open(), 0);
    auto addEntry = [&](int32_t list) {
        e = EntryRec{};
        e.ListID = list;
        EXPECT_EQ(entries.add(), 0);
        return e.Seq.toInt();
    };
    EXPECT_EQ(addEntry(1), 1);
    EXPECT_EQ(addEntry(1), 2);
    EXPECT_EQ(addEntry(2), 1);
    EXPECT_EQ(addEntry(1), 3);
    EXPECT_EQ(entries.records(), 4);
}

TEST_F(DataFileTest, OpenErrors) {
    EXPECT_EQ(songs.open(), err::kFileAlreadyOpen);
    EXPECT_EQ(songs.create(), err::kFileAlreadyOpen);
    EXPECT_EQ(songs.remove(), err::kFileAlreadyOpen);

    CategoryRec c;
    DataFile cats{db, categoryDecl(), c};
    EXPECT_EQ(cats.open(), err::kFileNotFound);
    EXPECT_EQ(db.error().text, "File Not Found");
    EXPECT_EQ(cats.next(), err::kFileNotOpen);
    EXPECT_EQ(cats.remove(), err::kFileNotFound);

    if (!onServer()) {
        // Not a database: 90 with SQLite's own text.
        { std::ofstream(dir.file("cats.tps")) << std::string(5000, 'x'); }
        EXPECT_EQ(cats.open(), err::kDriverError);
        EXPECT_EQ(db.error().driverCode, SQLITE_NOTADB);
        EXPECT_EQ(db.error().driverText, "file is not a database");
        EXPECT_EQ(cats.remove(), 0);
        EXPECT_FALSE(std::filesystem::exists(dir.file("cats.tps")));
    }

    // A file written under another declaration of the same label: 47.
    cats.setName("songs");
    ASSERT_EQ(songs.close(), 0);
    struct Other {
        Text<20> Artist;
    };
    FileDecl other =
        FileDeclBuilder<Other>("Songs", "SNG", "songs", 20).field<&Other::Artist>("Artist").build();
    Other o;
    DataFile otherFile{db, other, o};
    EXPECT_EQ(otherFile.open(), err::kInvalidRecordLayout);
    EXPECT_EQ(db.attachedCount(), 0);  // a failed open leaves nothing attached
    EXPECT_EQ(songs.open(), 0);
}

TEST_F(DataFileTest, MissingIndexAsksForRebuild) {
    ASSERT_EQ(addSong("Zed", "z"), 0);
    ASSERT_EQ(addSong("amy", "a"), 0);
    ASSERT_EQ(songs.close(), 0);
    rawSql(songs.path(),
           "DROP INDEX \"Songs__ByArtist\"; UPDATE \"Songs\" SET \"Artist__fold\" = 'zzz' "
           "WHERE \"Artist\" = 'amy'; UPDATE cdz_layout SET records = 7");
    EXPECT_EQ(songs.open(), err::kKeyFileRebuild);
    EXPECT_EQ(db.error().text, "Invalid Key File");
    ASSERT_EQ(songs.build(), 0);  // builds a file that will not open
    EXPECT_FALSE(songs.isOpen());
    ASSERT_EQ(songs.open(), 0);
    EXPECT_EQ(songs.records(), 2);
    EXPECT_EQ(walk(byArtist), (std::vector<std::string>{"a", "z"}));
}

TEST_F(DataFileTest, DamagedFilesReportTheDriverText) {
    ASSERT_EQ(addSong("A", "a"), 0);
    ASSERT_EQ(songs.close(), 0);
    // The table gone but still listed: the file is invalid.
    rawSql(songs.path(), "DROP TABLE \"Songs\"");
    EXPECT_EQ(songs.open(), err::kInvalidDataFile);
    EXPECT_EQ(db.error().text, "Invalid Data File");
    if (onServer()) return;

    // A damaged first page: 90, and the driver's own words.
    ASSERT_EQ(songs.create(), 0);
    {
        std::fstream f(songs.path(), std::ios::in | std::ios::out | std::ios::binary);
        f.seekp(100);
        f << std::string(3000, '\x5a');
    }
    EXPECT_EQ(songs.open(), err::kDriverError);
    EXPECT_EQ(db.error().driverCode & 0xff, SQLITE_CORRUPT);
    EXPECT_EQ(db.error().driverText, "database disk image is malformed");
    EXPECT_EQ(db.attachedCount(), 0);

    // A link to nothing is no file of the program's: it is not made where the link points.
    ASSERT_EQ(songs.remove(), 0);
    const std::filesystem::path nowhere = songs.path().parent_path() / "nowhere" / "x.tps";
    std::filesystem::create_symlink(nowhere, songs.path());
    EXPECT_EQ(songs.open(), err::kInvalidDataFile);
    EXPECT_EQ(songs.create(), err::kInvalidDataFile);
    EXPECT_EQ(db.error().driverText, "the file is a link to nothing");
    EXPECT_FALSE(std::filesystem::exists(nowhere.parent_path()));

    // An empty file is not started over, unless it is new: then another station is making it.
    std::filesystem::remove(songs.path());
    std::ofstream(songs.path()).close();
    EXPECT_EQ(songs.open(), err::kFileNotFound);
    std::filesystem::last_write_time(
        songs.path(), std::filesystem::file_time_type::clock::now() - std::chrono::minutes(1));
    EXPECT_EQ(songs.open(), err::kInvalidDataFile);
    EXPECT_EQ(db.error().driverText,
              "the file is empty (0 bytes); the program did not leave it so");
    EXPECT_EQ(std::filesystem::file_size(songs.path()), 0u);
}

TEST_F(DataFileTest, ReadOnlyRefusesWrites) {
    ASSERT_EQ(addSong("A", "a"), 0);
    ASSERT_EQ(songs.close(), 0);
    ASSERT_EQ(songs.open(access::kSharedRead), 0);
    EXPECT_EQ(addSong("B", "b"), err::kAccessDenied);
    ASSERT_EQ(songs.set(), 0);
    ASSERT_EQ(songs.next(), 0);
    EXPECT_EQ(songs.put(), err::kAccessDenied);
    EXPECT_EQ(songs.erase(), err::kAccessDenied);
}

TEST_F(DataFileTest, PackRemovesDeletedSpaceAndKeepsRecordNumbers) {
    ASSERT_EQ(songs.stream(), 0);
    for (int i = 0; i < 300; ++i) {
        song = SongRec{};
        song.Title = "t" + std::to_string(i);
        song.Notes = std::string(200, 'n');
        ASSERT_EQ(songs.add(), 0);
    }
    ASSERT_EQ(songs.set(), 0);
    for (int i = 0; i < 290; ++i) {
        ASSERT_EQ(songs.next(), 0);
        ASSERT_EQ(songs.erase(), 0);
    }
    ASSERT_EQ(songs.flush(), 0);
    ASSERT_EQ(songs.next(), 0);
    int64_t recno = songs.recordNumber();
    auto before = storedSize(songs.path());
    ASSERT_EQ(songs.pack(), 0);
    // A server keeps a page or more for each index however few records are left.
    EXPECT_LT(storedSize(songs.path()), onServer() ? before * 3 / 4 : before / 2);
    ASSERT_EQ(songs.getRecord(recno), 0);
    EXPECT_EQ(song.Title, "t290");
    EXPECT_EQ(songs.records(), 10);
}

TEST_F(DataFileTest, DriverStrings) {
    EXPECT_EQ(songs.send("HELD"), "OFF");
    for (const char* s : {"QUICKSCAN=on", "quickscan = OFF", "Recover=10", "RECOVER=0",
                          "FULLBUILD=on", "IGNORESTATUS=ON", "IGNORESTATUS=OFF"}) {
        EXPECT_EQ(songs.send(s), "") << s;
        EXPECT_EQ(db.error().code, 0) << s;
    }
    songs.send("NOSUCH=1");
    EXPECT_EQ(db.error().code, err::kDriverError);
}

TEST_F(DataFileTest, StoredFileIsPlainSqlite) {
    CDZ_FILES_ONLY();
    ASSERT_EQ(addSong("Björk", "Jóga"), 0);
    ASSERT_EQ(songs.close(), 0);
    sqlite3* raw = nullptr;
    ASSERT_EQ(sqlite3_open_v2(songs.path().c_str(), &raw, SQLITE_OPEN_READONLY, nullptr),
              SQLITE_OK);
    sqlite3_stmt* stmt = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(raw,
                                 "SELECT Artist, Artist__fold, Price FROM Songs "
                                 "ORDER BY Artist__fold",
                                 -1, &stmt, nullptr),
              SQLITE_OK);
    ASSERT_EQ(sqlite3_step(stmt), SQLITE_ROW);
    EXPECT_STREQ(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0)), "Björk");
    // The sort key: the base letters, then the folded text to tell spellings apart.
    EXPECT_STREQ(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 1)),
                 "bjork\x01"
                 "björk");
    sqlite3_finalize(stmt);
    sqlite3_close(raw);
}

TEST(DataFiles, SeveralTablesInOneFile) {
    TempDir dir;
    TestDatabase db{dir.path()};
    CategoryRec c;
    EntryRec e;
    DataFile first{db, categoryDecl(), c};
    DataFile second{db, entryDecl(), e};
    first.setName("STORE.TPS\\!First");
    second.setName("STORE.TPS\\!Second");
    EXPECT_EQ(first.path(), dir.path() / "STORE.TPS");
    ASSERT_EQ(first.create(), 0);
    EXPECT_EQ(second.open(), err::kFileNotFound);  // the file is there, the table is not
    ASSERT_EQ(second.create(), 0);
    ASSERT_EQ(first.open(), 0);
    ASSERT_EQ(second.open(), 0);
    EXPECT_EQ(db.attachedCount(), 1);  // one file, attached once
    c.Category = "x";
    ASSERT_EQ(first.add(), 0);
    ASSERT_EQ(beginTransaction(db, {&first, &second}, 500), 0);
    ASSERT_EQ(second.add(), 0);
    ASSERT_EQ(db.commit(), 0);
    ASSERT_EQ(first.close(), 0);
    ASSERT_EQ(second.close(), 0);

    ASSERT_EQ(first.remove(), 0);
    // The other table keeps the file.
    EXPECT_TRUE(onServer() || std::filesystem::exists(second.path()));
    ASSERT_EQ(second.open(), 0);
    EXPECT_EQ(second.records(), 1);
    ASSERT_EQ(second.close(), 0);
    ASSERT_EQ(second.remove(), 0);
    EXPECT_FALSE(std::filesystem::exists(second.path()));
    EXPECT_EQ(second.open(), err::kFileNotFound);
}

TEST(DataFiles, ElevenFilesOpenAtOnce) {
    TempDir dir;
    TestDatabase db{dir.path()};
    std::vector<std::unique_ptr<CategoryRec>> bufs;
    std::vector<std::unique_ptr<DataFile>> files;
    for (int i = 0; i < 11; ++i) {
        bufs.push_back(std::make_unique<CategoryRec>());
        files.push_back(std::make_unique<DataFile>(db, categoryDecl(), *bufs.back()));
        files.back()->setName("cat" + std::to_string(i));
        ASSERT_EQ(files.back()->create(), 0);
        ASSERT_EQ(files.back()->open(), 0) << i << " " << db.error().driverText;
        bufs.back()->Category = "c" + std::to_string(i);
        ASSERT_EQ(files.back()->add(), 0);
    }
    // The first (main) file closes while the others stay open, then comes back; a twelfth
    // file of its own still fits in the freed place.
    ASSERT_EQ(files[0]->close(), 0);
    CategoryRec extra;
    DataFile twelfth{db, categoryDecl(), extra};
    twelfth.setName("cat11");
    ASSERT_EQ(twelfth.create(), 0);
    ASSERT_EQ(twelfth.open(), 0) << db.error().driverText;
    // Twelve is one too many for SQLite; a server has no such limit.
    EXPECT_EQ(files[0]->open(), onServer() ? 0 : err::kDriverError);
    if (onServer()) {
        ASSERT_EQ(files[0]->close(), 0);
    }
    ASSERT_EQ(twelfth.close(), 0);
    ASSERT_EQ(files[0]->open(), 0) << db.error().driverText;
    for (int i = 0; i < 11; ++i) {
        ASSERT_EQ(files[static_cast<size_t>(i)]->set(), 0);
        ASSERT_EQ(files[static_cast<size_t>(i)]->next(), 0);
        EXPECT_EQ(bufs[static_cast<size_t>(i)]->Category.str(), "c" + std::to_string(i));
        EXPECT_EQ(files[static_cast<size_t>(i)]->records(), 1);
    }
}

}  // namespace
}  // namespace cdz::test
