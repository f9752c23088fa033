// I/O faults injected at every step of the write paths, as SQLite tests itself: the N-th
// write, sync or lock fails (N = 1, 2, 3, ... until the operation gets through untouched), and
// every run must report its failure, leave every file sound for a fresh connection, and leave
// the state committed before the operation exactly as it was.
#include <sqlite3.h>

#include <functional>
#include <iostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "runtime/data/DataFile.h"
#include "runtime/data/FileDeclBuilder.h"
#include "runtime/filemgr/FileUpgrade.h"
#include "tests/runtime/data/FaultVfs.h"
#include "tests/runtime/data/TestFiles.h"
#include "tests/support/TempDir.h"

namespace cdz::test {
namespace {

// An earlier layout of the songs file, for the structural upgrade.
struct OldSongRec {
    Text<10> Artist;
    Text<30> Title;
    int32_t ID = 0;
};

const FileDecl& oldSongDecl() {
    static const FileDecl decl = FileDeclBuilder<OldSongRec>("Songs", "SNG", "songs", 44)
                                     .field<&OldSongRec::Artist>("Artist")
                                     .field<&OldSongRec::Title>("Title")
                                     .field<&OldSongRec::ID>("ID")
                                     .key("KeyID", {"ID"}, kPrimary | kAutoNumber)
                                     .key("ByArtist", {"Artist"}, kNoCase)
                                     .build();
    return decl;
}

// What a fresh connection of its own reads in a file: every table's rows in record order and
// the schema; or what went wrong.
std::string seenBy(const std::filesystem::path& file) {
    sqlite3* raw = nullptr;
    if (sqlite3_open_v2(file.c_str(), &raw, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
        sqlite3_close(raw);
        return "cannot open";
    }
    std::string out;
    auto collect = [](void* o, int n, char** values, char**) {
        auto& s = *static_cast<std::string*>(o);
        for (int i = 0; i < n; ++i) {
            std::string v = values[i] ? values[i] : "NULL";
            // Long memos as their length and hash, so that a difference reads in one line.
            if (v.size() > 40) {
                v = std::to_string(v.size()) + "#" +
                    std::to_string(std::hash<std::string>{}(v) % 100000);
            }
            s += v + "|";
        }
        s += "\n";
        return 0;
    };
    std::string check;
    sqlite3_exec(raw, "PRAGMA integrity_check", collect, &check, nullptr);
    if (check != "ok|\n") out = "integrity: " + check;
    std::vector<std::string> tables;
    std::string list;
    sqlite3_exec(raw, "SELECT name FROM sqlite_schema WHERE type = 'table' ORDER BY name", collect,
                 &list, nullptr);
    out += "schema: " + list;
    sqlite3_exec(raw, "SELECT type, name FROM sqlite_schema ORDER BY type, name", collect, &out,
                 nullptr);
    for (size_t at = 0, end; (end = list.find("|\n", at)) != std::string::npos; at = end + 2) {
        const std::string t = list.substr(at, end - at);
        const std::string order = t == "cdz_layout" ? "tbl" : "rowid";
        // The stamp changes with every exclusive open; nothing else may.
        const std::string what = t == "cdz_layout" ? "tbl, layout, records" : "*";
        if (sqlite3_exec(raw, ("SELECT " + what + " FROM \"" + t + "\" ORDER BY " + order).c_str(),
                         collect, &out, nullptr) != SQLITE_OK) {
            out += "unreadable " + t + ": " + sqlite3_errmsg(raw) + "\n";
        }
    }
    sqlite3_close(raw);
    return out;
}

struct Fault {
    const char* what;
    FaultVfs::Kind kind;
    int code;
    bool sticky;
};

const Fault kFaults[] = {
    {"write error", FaultVfs::Kind::Write, SQLITE_IOERR_WRITE, false},
    {"full disk", FaultVfs::Kind::Write, SQLITE_FULL, true},
    {"sync error", FaultVfs::Kind::Sync, SQLITE_IOERR_FSYNC, false},
    {"lock error", FaultVfs::Kind::Lock, SQLITE_IOERR_LOCK, false},
};

// The files before the operation, made once: songs and categories with a few records each,
// or the songs in the earlier layout.
void makeFiles(const std::filesystem::path& folder, bool older) {
    Database db{folder};
    CategoryRec cat;
    DataFile cats{db, categoryDecl(), cat};
    ASSERT_EQ(cats.create(), 0);
    ASSERT_EQ(cats.open(), 0);
    for (const char* c : {"Rock", "Jazz"}) {
        cat = CategoryRec{};
        cat.Category = c;
        ASSERT_EQ(cats.add(), 0);
    }
    if (older) {
        OldSongRec song;
        DataFile songs{db, oldSongDecl(), song};
        ASSERT_EQ(songs.create(), 0);
        ASSERT_EQ(songs.open(), 0);
        for (const char* t : {"one", "two", "three"}) {
            song = OldSongRec{};
            song.Artist = "Björk";
            song.Title = t;
            ASSERT_EQ(songs.add(), 0);
        }
        return;
    }
    SongRec song;
    DataFile songs{db, songDecl(), song};
    ASSERT_EQ(songs.create(), 0);
    ASSERT_EQ(songs.open(), 0);
    for (const char* t : {"one", "two", "three"}) {
        song = SongRec{};
        song.Artist = "Björk";
        song.Title = t;
        song.Notes = std::string(300, t[0]);
        ASSERT_EQ(songs.add(), 0);
    }
}

// A copy of those files in a folder of its own, opened (unless older) through the fault VFS.
struct Scene {
    TempDir dir;
    Database db{dir.path(), FaultVfs::name()};
    SongRec song;
    CategoryRec cat;
    DataFile songs{db, songDecl(), song};
    DataFile cats{db, categoryDecl(), cat};

    Scene(const std::filesystem::path& files, bool older) {
        for (const auto& f : std::filesystem::directory_iterator(files)) {
            std::filesystem::copy_file(f.path(), dir.path() / f.path().filename());
        }
        if (older) return;
        EXPECT_EQ(songs.open(), 0);
        EXPECT_EQ(cats.open(), 0);
    }

    std::string seen() { return seenBy(songs.path()) + "--\n" + seenBy(cats.path()); }

    int getSong(int32_t id) {
        song = SongRec{};
        song.ID = id;
        return songs.get(songDecl().keyIndex("KeyID"));
    }
};

struct Operation {
    const char* name;
    bool older;
    std::function<int(Scene&)> run;
};

const Operation kOperations[] = {
    {"Add", false,
     [](Scene& s) {
         s.song = SongRec{};
         s.song.Title = "four";
         s.song.Notes = std::string(300, 'f');
         return s.songs.add();
     }},
    {"Put", false,
     [](Scene& s) {
         if (int code = s.getSong(2)) return code;
         s.song.Title = "TWO";
         s.song.Notes = std::string(300, 'T');
         return s.songs.put();
     }},
    {"Delete", false,
     [](Scene& s) {
         if (int code = s.getSong(2)) return code;
         return s.songs.erase();
     }},
    {"TwoFileTransaction", false,
     [](Scene& s) {
         if (int code = beginTransaction(s.db, {&s.songs, &s.cats}, 200)) return code;
         s.song = SongRec{};
         s.song.Title = "both";
         int code = s.songs.add();
         if (!code) {
             s.cat = CategoryRec{};
             s.cat.Category = "Both";
             code = s.cats.add();
         }
         if (!code) code = s.db.commit();
         if (code && s.db.inTransaction()) {
             const ErrorState why = s.db.error();
             s.db.rollback();
             s.db.error() = why;
         }
         return code;
     }},
    {"StructuralUpgrade", true, [](Scene& s) { return upgradeFile(s.db, songDecl(), "songs"); }},
};

void PrintTo(const Operation& op, std::ostream* out) {
    *out << op.name;
}

class FaultInjection : public ::testing::TestWithParam<Operation> {};

TEST_P(FaultInjection, EveryFailedWriteIsReportedAndLeavesTheLastCommitWhole) {
    const Operation& op = GetParam();
    FaultVfs vfs;
    TempDir files;
    makeFiles(files.path(), op.older);
    // What the operation leaves when nothing fails.
    std::string done;
    {
        Scene s(files.path(), op.older);
        ASSERT_EQ(op.run(s), 0) << s.db.error().driverText;
        done = s.seen();
    }
    for (const Fault& fault : kFaults) {
        SCOPED_TRACE(fault.what);
        int runs = 0;
        int failures = 0;
        for (int n = 1; n < 1000; ++n) {
            Scene s(files.path(), op.older);
            const std::string before = s.seen();
            vfs.arm(fault.kind, n, fault.code, fault.sticky);
            const int code = op.run(s);
            const ErrorState error = s.db.error();
            const bool fired = vfs.fired();
            vfs.disarm();
            ++runs;
            if (!fired) {
                EXPECT_EQ(code, 0) << "n=" << n;
                break;
            }
            SCOPED_TRACE("fault at call " + std::to_string(n));
            // The error state tells the same as the return code.
            EXPECT_EQ(error.code, code);
            const std::string after = s.seen();
            if (code != 0) {
                ++failures;
                EXPECT_FALSE(error.text.empty());
                EXPECT_EQ(after, before);
                // Once the disk is well again the same station goes on as if nothing was.
                EXPECT_EQ(op.run(s), 0) << s.db.error().driverText;
                EXPECT_EQ(s.seen(), done);
            } else {
                // A fault SQLite got past: the operation really is done.
                EXPECT_EQ(after, done);
            }
            if (HasFailure()) return;
        }
        std::cout << op.name << ", " << fault.what << ": " << runs << " runs, " << failures
                  << " failures reported\n";
        RecordProperty(fault.what,
                       std::to_string(runs) + " runs, " + std::to_string(failures) + " failures");
    }
}

INSTANTIATE_TEST_SUITE_P(Operations, FaultInjection, ::testing::ValuesIn(kOperations),
                         [](const auto& param) { return std::string(param.param.name); });

}  // namespace
}  // namespace cdz::test
