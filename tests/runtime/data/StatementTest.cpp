// The statement scope: whichever way a use of a cached statement ends, it holds no lock and no
// parameter afterwards.
#include <sqlite3.h>

#include <gtest/gtest.h>

#include "runtime/data/DataFile.h"
#include "tests/runtime/data/TestDatabase.h"
#include "tests/runtime/data/TestFiles.h"
#include "tests/support/TempDir.h"

namespace cdz::test {
namespace {

TEST(StatementScope, EndsItsReadAndForgetsItsParameters) {
    TempDir dir;
    TestDatabase db{dir.path()};
    SongRec song;
    DataFile songs{db, songDecl(), song};
    ASSERT_EQ(songs.create(), 0);
    ASSERT_EQ(songs.open(), 0);
    for (const char* title : {"one", "two"}) {
        song = SongRec{};
        song.Title = title;
        ASSERT_EQ(songs.add(), 0);
    }
    const std::string sql = "SELECT \"Title\" FROM " + songs.sql().ref() + " WHERE \"ID\" > ?";
    {
        Statement read = db.statement(sql);
        ASSERT_TRUE(read);
        read.bindInteger(1, 0);
        ASSERT_TRUE(read.step().row());  // left in the middle of its rows
    }
    // A read left open would keep its shared lock and another station could not commit.
    rawSql(songs.path(), "UPDATE \"Songs\" SET \"Rating\" = 1");

    Statement again = db.statement(sql);
    EXPECT_TRUE(again.step().done());  // ID > NULL: the earlier 0 is gone
}

}  // namespace
}  // namespace cdz::test
