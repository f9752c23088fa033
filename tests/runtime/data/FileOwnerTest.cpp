// The program's files are its own: a database that is not one of them, or that holds another
// data file, is refused and left as it is; a table altered behind the program's back gets no
// key over a column it lacks; a creation that fails leaves no file behind.
#include "runtime/data/FileOwner.h"

#include <sqlite3.h>

#include <filesystem>
#include <functional>

#include <gtest/gtest.h>

#include "runtime/data/DataFile.h"
#include "runtime/filemgr/FileUpgrade.h"
#include "tests/runtime/data/FaultVfs.h"
#include "tests/runtime/data/TestDatabase.h"
#include "tests/runtime/data/TestFiles.h"
#include "tests/support/TempDir.h"

namespace cdz::test {
namespace {

// Runs SQL with a connection of its own, as the sqlite3 shell would; the first column of the
// last row, if any.
std::string rawSql(const std::filesystem::path& file, const std::string& sql) {
    sqlite3* raw = nullptr;
    EXPECT_EQ(sqlite3_open(file.c_str(), &raw), SQLITE_OK);
    std::string out;
    char* msg = nullptr;
    EXPECT_EQ(sqlite3_exec(
                  raw, sql.c_str(),
                  [](void* o, int, char** values, char**) {
                      *static_cast<std::string*>(o) = values[0] ? values[0] : "";
                      return 0;
                  },
                  &out, &msg),
              SQLITE_OK)
        << (msg ? msg : "");
    sqlite3_free(msg);
    sqlite3_close(raw);
    return out;
}

std::string contents(const std::filesystem::path& file) {
    return rawSql(file,
                  "SELECT (SELECT group_concat(name) FROM sqlite_schema) || ' id ' || "
                  "(SELECT application_id FROM pragma_application_id)");
}

class FileOwnerTest : public ::testing::Test {
protected:
    TempDir dir;
    TestDatabase db{dir.path()};
    SongRec song;
    CategoryRec cat;
    DataFile songs{db, songDecl(), song};
    DataFile cats{db, categoryDecl(), cat};
};

TEST_F(FileOwnerTest, ADatabaseThatIsNotTheFilesIsRefusedAndLeftAsItIs) {
    const std::filesystem::path file = dir.path() / "cats.tps";
    struct Foreign {
        const char* what;
        std::function<void()> make;
    };
    const Foreign cases[] = {
        {"an unrelated database",
         [&] { rawSql(file, "CREATE TABLE notes(x TEXT); INSERT INTO notes VALUES('mine')"); }},
        {"another program's file with the same tables",
         [&] {
             ASSERT_EQ(cats.create(), 0);
             rawSql(file, "PRAGMA application_id = 1234");
         }},
        {"another data file under this name",
         [&] {
             ASSERT_EQ(songs.create(), 0);
             std::filesystem::copy_file(songs.path(), file);
         }},
        {"another data file of an earlier build",
         [&] {
             ASSERT_EQ(songs.create(), 0);
             std::filesystem::copy_file(songs.path(), file);
             rawSql(file, "PRAGMA application_id = 0");
         }},
    };
    for (const Foreign& f : cases) {
        SCOPED_TRACE(f.what);
        std::filesystem::remove(file);
        f.make();
        const std::string before = contents(file);
        EXPECT_EQ(cats.open(), err::kInvalidDataFile);
        EXPECT_FALSE(db.error().driverText.empty());
        EXPECT_EQ(upgradeFile(db, categoryDecl(), "cats"), err::kInvalidDataFile);
        EXPECT_EQ(cats.create(), err::kInvalidDataFile);
        EXPECT_EQ(contents(file), before);
        EXPECT_EQ(db.attachedCount(), 0);
    }
}

TEST_F(FileOwnerTest, FilesOfEarlierBuildsOpenAndAreMarked) {
    ASSERT_EQ(cats.create(), 0);
    const std::string id = std::to_string(FileOwner::kApplicationId);
    EXPECT_EQ(rawSql(cats.path(), "PRAGMA application_id"), id);
    rawSql(cats.path(), "PRAGMA application_id = 0");
    ASSERT_EQ(cats.open(access::kSharedRead), 0);
    ASSERT_EQ(cats.close(), 0);
    EXPECT_EQ(rawSql(cats.path(), "PRAGMA application_id"), "0");  // a reader writes nothing
    ASSERT_EQ(cats.open(), 0);
    ASSERT_EQ(cats.close(), 0);
    EXPECT_EQ(rawSql(cats.path(), "PRAGMA application_id"), id);
}

TEST_F(FileOwnerTest, ATableWithOtherColumnsGetsNoKeyOverAConstant) {
    ASSERT_EQ(cats.create(), 0);
    rawSql(cats.path(),
           "DROP TABLE Categories; CREATE TABLE Categories(x TEXT, y INTEGER); "
           "INSERT INTO Categories VALUES('a', 1)");
    // Not a missing key to rebuild: the table is not the declared one.
    EXPECT_EQ(cats.open(), err::kInvalidRecordLayout);
    EXPECT_EQ(cats.build(), err::kInvalidRecordLayout);
    EXPECT_NE(db.error().driverText.find("has no column"), std::string::npos)
        << db.error().driverText;

    ASSERT_EQ(upgradeFile(db, categoryDecl(), "cats"), 0) << db.error().driverText;
    ASSERT_EQ(cats.open(), 0);
    for (const char* name : {"Rock", "Jazz"}) {
        cat = CategoryRec{};
        cat.Category = name;
        EXPECT_EQ(cats.add(), 0) << name << ": " << db.error().driverText;
    }
    EXPECT_EQ(cats.records(), 3);
}

TEST(FileCreation, AFailedCreationLeavesNoFileAndNamesItsCause) {
    FaultVfs vfs;
    TempDir dir;
    Database db{dir.path(), FaultVfs::name()};
    CategoryRec cat;
    DataFile cats{db, categoryDecl(), cat};

    vfs.arm(FaultVfs::Kind::Write, 1, SQLITE_FULL, true);
    EXPECT_EQ(cats.create(), err::kDriverError);
    EXPECT_EQ(db.error().driverText, "database or disk is full");
    EXPECT_FALSE(std::filesystem::exists(cats.path()));

    // A file that was there before is the user's: it stays, with its records.
    vfs.disarm();
    ASSERT_EQ(cats.create(), 0);
    ASSERT_EQ(cats.open(), 0);
    cat.Category = "Rock";
    ASSERT_EQ(cats.add(), 0);
    ASSERT_EQ(cats.close(), 0);
    vfs.arm(FaultVfs::Kind::Write, 1, SQLITE_FULL, true);
    EXPECT_EQ(cats.create(), err::kDriverError);
    vfs.disarm();
    ASSERT_EQ(cats.open(), 0);
    EXPECT_EQ(cats.records(), 1);
}

}  // namespace
}  // namespace cdz::test
