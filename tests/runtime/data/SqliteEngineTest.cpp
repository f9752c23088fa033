// The SQLite engine on its own: every failure lands in the error state it was given, and a
// statement that cannot be had comes back empty.
#include <sqlite3.h>

#include <gtest/gtest.h>

#include "runtime/data/sqlite/SqliteEngine.h"
#include "tests/support/TempDir.h"

namespace cdz::test {
namespace {

TEST(SqliteEngine, ReportsEachFailureIntoTheGivenErrorState) {
    TempDir dir;
    ErrorState error;
    SqliteEngine engine(error, {});
    const auto file = dir.path() / "one.tps";

    EXPECT_EQ(engine.admit(file, false, false), err::kFileNotFound);
    EXPECT_EQ(error.code, err::kFileNotFound);
    EXPECT_EQ(engine.prepare("SELECT 1"), nullptr);
    EXPECT_EQ(error.code, err::kFileNotOpen);

    ASSERT_EQ(engine.admit(file, true, false), 0);
    std::string schema;
    ASSERT_EQ(engine.attach(file, &schema), 0) << error.driverText;
    EXPECT_EQ(schema, "main");
    EXPECT_EQ(error.code, 0);

    EXPECT_EQ(engine.prepareOnce("SELECT k FROM nowhere"), nullptr);
    EXPECT_EQ(error.code, err::kDriverError);
    EXPECT_EQ(error.driverCode & 0xff, SQLITE_ERROR);
    EXPECT_NE(error.driverText.find("nowhere"), std::string::npos) << error.driverText;

    EXPECT_EQ(engine.exec("CREATE TABLE t (k INTEGER PRIMARY KEY)"), 0);
    EXPECT_EQ(engine.exec("INSERT INTO t VALUES (1); INSERT INTO t VALUES (1)"),
              err::kDuplicateKey);
    EXPECT_EQ(error.driverCode, SQLITE_CONSTRAINT_PRIMARYKEY);
}

}  // namespace
}  // namespace cdz::test
