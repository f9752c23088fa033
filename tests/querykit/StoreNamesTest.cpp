// Where the store lives: the folder and file-name rules and when the names are rebuilt.
#include "querykit/qwizard/StoreNames.h"

#include <gtest/gtest.h>

namespace qk {
namespace {

struct NameCase {
    const char* folder;
    const char* file;
    const char* queries;  // the queries table's name
    const char* exportedFolder;
};

class StoreNameRules : public ::testing::TestWithParam<NameCase> {};

TEST_P(StoreNameRules, BuildsTheTableNames) {
    const NameCase c = GetParam();
    StoreNames names;
    names.setFilePaths(std::nullopt, c.folder, c.file);
    EXPECT_EQ(names.table(StoreTableId::Queries), c.queries);
    EXPECT_EQ(names.filePath().str(), c.exportedFolder);
}

INSTANTIATE_TEST_SUITE_P(
    Table, StoreNameRules,
    ::testing::Values(NameCase{"", "", "QUERIES.TPS\\!XRQW_Queries", ""},
                      NameCase{"/data", "", "/data/QUERIES.TPS\\!XRQW_Queries", "/data/"},
                      NameCase{"/data/", "", "/data/QUERIES.TPS\\!XRQW_Queries", "/data/"},
                      NameCase{"/data  ", "", "/data/QUERIES.TPS\\!XRQW_Queries", "/data/"},
                      NameCase{"", "MINE.TPS", "MINE.TPS\\!XRQW_Queries", ""},
                      NameCase{"rel/sub", "Q.TPS  ", "rel/sub/Q.TPS\\!XRQW_Queries", "rel/sub/"}));

TEST(StoreNames, AllThreeTablesShareTheBase) {
    StoreNames names;
    names.setFilePaths(0, "/d", std::nullopt);
    EXPECT_EQ(names.table(StoreTableId::Elements), "/d/QUERIES.TPS\\!XRQW_Elements");
    EXPECT_EQ(names.table(StoreTableId::Fields), "/d/QUERIES.TPS\\!XRQW_Fields");
}

TEST(StoreNames, AFullFolderStillGetsItsSeparator) {
    const std::string folder = "/" + std::string(99, 'f');  // the whole 100 characters
    StoreNames names;
    names.setFilePaths(0, folder, std::nullopt);
    EXPECT_EQ(names.table(StoreTableId::Elements), folder + "/QUERIES.TPS\\!XRQW_Elements");
}

TEST(StoreNames, ModesDecideWhenNamesAreRebuilt) {
    StoreNames names;
    EXPECT_FALSE(names.built());
    names.setFilePaths(1, std::nullopt, std::nullopt);  // first use builds
    EXPECT_EQ(names.table(StoreTableId::Queries), "QUERIES.TPS\\!XRQW_Queries");

    names.filePath() = "/a";                            // the host sets the exported folder itself
    names.setFilePaths(1, std::nullopt, std::nullopt);  // remembered: rebuilt on every call
    EXPECT_EQ(names.table(StoreTableId::Queries), "/a/QUERIES.TPS\\!XRQW_Queries");

    names.filePath() = "";
    names.setFilePaths(1, std::nullopt, std::nullopt);  // nothing remembered: left as built
    EXPECT_EQ(names.table(StoreTableId::Queries), "/a/QUERIES.TPS\\!XRQW_Queries");
    names.setFilePaths(std::nullopt, std::nullopt, std::nullopt);  // mode absent rebuilds
    EXPECT_EQ(names.table(StoreTableId::Queries), "QUERIES.TPS\\!XRQW_Queries");

    names.setFilePaths(1, "/b", "B.TPS");  // given with mode 1: remembered and built
    EXPECT_EQ(names.table(StoreTableId::Queries), "/b/B.TPS\\!XRQW_Queries");
    names.setFilePaths(2, std::nullopt, std::nullopt);  // forgotten, back to the default
    EXPECT_EQ(names.filePath().str(), "");
    EXPECT_EQ(names.fileName().str(), "");
    EXPECT_EQ(names.table(StoreTableId::Queries), "QUERIES.TPS\\!XRQW_Queries");
}

}  // namespace
}  // namespace qk
