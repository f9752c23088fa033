// The store's tables: the open routine's recovery chain, use counts, numbering, deleting and
// saving elements.
#include <sqlite3.h>

#include <fstream>

#include "querykit/savedqueries/DeleteRequest.h"
#include "runtime/data/pg/PgConnection.h"
#include "tests/querykit/StoreFixture.h"

namespace qk::test {
namespace {

using cdz::Button;
namespace err = cdz::err;

class QueryStoreTest : public StoreFixture {
protected:
    std::filesystem::path storeFile() const { return dir.path() / "QUERIES.TPS"; }

    // SQL on the store with a connection of its own (on the server, in the store's schema).
    void rawSql(const std::string& sql) {
#ifdef CDZ_TEST_ON_SERVER
        cdz::pg::PgConnection conn;
        ASSERT_EQ(conn.open(cdz::test::PgEnvironment::get().cluster().conninfo()), 0);
        EXPECT_EQ(conn.exec("SET search_path = \"" + catalogue + "_queries\"; " + sql), 0)
            << conn.error().driverText;
        return;
#endif
        sqlite3* raw = nullptr;
        ASSERT_EQ(sqlite3_open(storeFile().c_str(), &raw), SQLITE_OK);
        EXPECT_EQ(sqlite3_exec(raw, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK)
            << sqlite3_errmsg(raw);
        sqlite3_close(raw);
    }

    void createStore() {
        TableUse queries(store, StoreTableId::Queries);
        TableUse elements(store, StoreTableId::Elements);
        TableUse fields(store, StoreTableId::Fields);
    }
};

TEST_F(QueryStoreTest, MissingStoreIsCreatedOnFirstUseAndSharedByNestedUses) {
    {
        TableUse outer(store, StoreTableId::Queries);
        ASSERT_TRUE(outer);
        {
            TableUse inner(store, StoreTableId::Queries);
            EXPECT_EQ(store.users(StoreTableId::Queries), 2);
        }
        EXPECT_TRUE(store.file(StoreTableId::Queries).isOpen());
    }
    EXPECT_FALSE(store.file(StoreTableId::Queries).isOpen());
    EXPECT_TRUE(onServer() || std::filesystem::exists(storeFile()));
    EXPECT_TRUE(dialogs.shown().empty());
}

TEST_F(QueryStoreTest, InterruptedTransactionIsRecovered) {
    if (onServer()) GTEST_SKIP() << "a server leaves no journal behind";
    createStore();
    std::ofstream(storeFile().string() + "-journal") << std::string(600, 'j');
    ASSERT_EQ(store.file(StoreTableId::Queries).open(), err::kFileLocked);
    TableUse use(store, StoreTableId::Queries);
    EXPECT_TRUE(use);
    EXPECT_TRUE(dialogs.shown().empty());
}

TEST_F(QueryStoreTest, KeysAreRebuiltWhenTheUserAgrees) {
    createStore();
    rawSql("DROP INDEX \"XRQW_Queries__ByClassName\"");
    dialogs.queue(Button::Yes);
    {
        TableUse use(store, StoreTableId::Queries);
        EXPECT_TRUE(use);
    }
    ASSERT_EQ(dialogs.shown().size(), 1u);
    EXPECT_EQ(dialogs.shown()[0].title, "Invalid Key");
    EXPECT_EQ(dialogs.shown()[0].text,
              "XRQW_Queries key file is invalid.  Do you want to rebuild the key?");
    EXPECT_EQ(store.file(StoreTableId::Queries).open(), 0);  // rebuilt for good
    EXPECT_TRUE(halts.empty());

    store.file(StoreTableId::Queries).close();
    rawSql("DROP INDEX \"XRQW_Queries__ByClassName\"");
    dialogs.queue(Button::No);
    TableUse refused(store, StoreTableId::Queries);
    EXPECT_FALSE(refused);
    EXPECT_EQ(halts, (std::vector<std::string>{"Invalid Key!"}));
}

struct FatalCase {
    const char* name;
    std::function<void(const std::filesystem::path& storeFile, cdz::Database& db)> damage;
    const char* title;
    const char* text;
    const char* halt;
};

void PrintTo(const FatalCase& c, std::ostream* os) {
    *os << c.name;
}

class FatalOpens : public QueryStoreTest, public ::testing::WithParamInterface<FatalCase> {};

TEST_P(FatalOpens, TellTheUserAndHalt) {
    const FatalCase& c = GetParam();
    if (onServer() && std::string_view(c.name) == "NotADatabase") GTEST_SKIP() << "files only";
    c.damage(storeFile(), store.database());
    TableUse use(store, StoreTableId::Queries);
    EXPECT_FALSE(use);
    ASSERT_NE(lastMessage(), nullptr);
    EXPECT_EQ(lastMessage()->title, c.title);
    EXPECT_EQ(lastMessage()->text, c.text);
    EXPECT_EQ(halts, (std::vector<std::string>{c.halt}));
}

INSTANTIATE_TEST_SUITE_P(
    Table, FatalOpens,
    ::testing::Values(
        FatalCase{"OtherLayout",
                  [](const std::filesystem::path& file, cdz::Database& db) {
                      OldElementRec rec;
                      cdz::DataFile other(db, oldElementsDecl(), rec);
                      other.setName(file.string() + "\\!XRQW_Queries");
                      ASSERT_EQ(other.create(), 0);
                  },
                  "Invalid File",
                  "Error: (Invalid Record Declaration (47)) accessing XRQW_Queries.  Press OK "
                  "to end this application.",
                  "Invalid File!"},
        FatalCase{"NotADatabase",
                  [](const std::filesystem::path& file, cdz::Database&) {
                      std::ofstream(file) << std::string(4096, 'x');
                  },
                  "File Access Error",
                  "File (XRQW_Queries) could not be opened.  Error: file is not a database (26).",
                  "Disk Error"}),
    [](const auto& p) { return std::string(p.param.name); });

TEST_F(QueryStoreTest, NumbersFollowTheHighestNumber) {
    EXPECT_EQ(saveQuery("C", "one"), 1);
    EXPECT_EQ(saveQuery("C", "two"), 2);
    EXPECT_EQ(saveQuery("D", "three"), 3);
    ASSERT_EQ(store.deleteQuery(2), 0);
    EXPECT_EQ(saveQuery("C", "four"), 4);
    ASSERT_EQ(store.deleteQuery(4), 0);
    EXPECT_EQ(saveQuery("C", "five"), 4);
    EXPECT_EQ(queryRecord(4).Description, "five");
}

TEST_F(QueryStoreTest, DeleteTakesTheQueryAndOnlyItsElements) {
    const int32_t a = saveQuery("C", "a", {{1, 0}, {2, 0}});
    const int32_t b = saveQuery("C", "b", {{3, 1}});
    ASSERT_EQ(store.deleteQuery(a), 0);
    EXPECT_TRUE(elementsOf(a).empty());
    EXPECT_EQ(queryRecord(a).QueryNo, 0);  // not found reads as a cleared record
    EXPECT_EQ(elementsOf(b), (std::vector<std::pair<int32_t, int32_t>>{{3, 1}}));

    EXPECT_EQ(store.deleteQuery(99), err::kRecordNotFound);
    EXPECT_EQ(queryRecord(b).QueryNo, b);
}

TEST_F(QueryStoreTest, SavingAChangedQueryReplacesItsElementsInOrder) {
    const int32_t q = saveQuery("C", "q", {{1, 0}, {2, 0}, {3, 0}});
    std::vector<ElementRec> now(2);
    now[0].FieldPointer = 9;
    now[1].FieldPointer = 8;
    ASSERT_EQ(store.saveElements(q, now, true), 0);
    EXPECT_EQ(elementsOf(q), (std::vector<std::pair<int32_t, int32_t>>{{9, 0}, {8, 0}}));
}

TEST_F(QueryStoreTest, ChangedQueryIsRewritten) {
    const int32_t q = saveQuery("C", "before");
    TableUse use(store, StoreTableId::Queries);
    ASSERT_TRUE(store.readQuery(q));
    store.query().Description = "after";
    ASSERT_EQ(store.changeQuery(), 0);
    EXPECT_EQ(queryRecord(q).Description, "after");
}

struct DeleteCase {
    const char* answer;
    bool deleted;
};

class DeleteRequests : public QueryStoreTest, public ::testing::WithParamInterface<DeleteCase> {};

TEST_P(DeleteRequests, AskTheStandardQuestionFirst) {
    const int32_t q = saveQuery("C", "q", {{1, 0}});
    dialogs.queue(GetParam().answer);
    EXPECT_EQ(deleteSavedQuery(store, q), GetParam().deleted);
    ASSERT_EQ(dialogs.shown().size(), 1u);
    const cdz::DialogRecord& asked = dialogs.shown()[0];
    EXPECT_EQ(asked.title, "Confirm Delete");
    EXPECT_EQ(asked.text,
              "You've selected to delete the highlighted record.  Press OK to confirm deletion "
              "of this record.");
    EXPECT_EQ(asked.buttons, Button::Ok | Button::Cancel);
    EXPECT_EQ(asked.defaultButton, Button::Cancel);
    EXPECT_EQ(queryRecord(q).QueryNo, GetParam().deleted ? 0 : q);
    EXPECT_EQ(elementsOf(q).empty(), GetParam().deleted);
}

INSTANTIATE_TEST_SUITE_P(Table, DeleteRequests,
                         ::testing::Values(DeleteCase{"OK", true}, DeleteCase{"Cancel", false}));

TEST_F(QueryStoreTest, DeletingAMissingQueryAsksNothing) {
    EXPECT_FALSE(deleteSavedQuery(store, 5));
    EXPECT_TRUE(dialogs.shown().empty());
}

}  // namespace
}  // namespace qk::test
