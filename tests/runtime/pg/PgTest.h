#pragma once
// A test against the throwaway cluster: a connection of its own and a fresh schema named after
// the test, dropped with everything in it when the test ends.
#include <cctype>
#include <string>

#include <gtest/gtest.h>

#include "runtime/data/pg/PgConnection.h"
#include "runtime/data/pg/PgTableSql.h"
#include "tests/runtime/pg/PgEnvironment.h"

namespace cdz::test {

class PgTest : public ::testing::Test {
protected:
    // Named in the constructor, so that members of a derived fixture can use the schema.
    PgTest() {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        schema = "t_";
        for (char c : std::string(info->test_suite_name()) + "_" + info->name()) {
            schema += std::isalnum(static_cast<unsigned char>(c))
                          ? static_cast<char>(std::tolower(static_cast<unsigned char>(c)))
                          : '_';
        }
        schema = schema.substr(0, kMaxSchema);
    }

    void SetUp() override {
        const auto& env = PgEnvironment::get();
        if (!env.skipReason().empty()) GTEST_SKIP() << env.skipReason();
        ASSERT_TRUE(env.failure().empty()) << env.failure();
        ASSERT_EQ(conn.open(env.cluster().conninfo()), 0) << conn.error().driverText;
        ASSERT_EQ(conn.exec("DROP SCHEMA IF EXISTS " + schema + " CASCADE"), 0)
            << conn.error().driverText;
    }

    void TearDown() override {
        if (conn.isOpen()) conn.exec("DROP SCHEMA IF EXISTS " + schema + " CASCADE");
    }

    // Makes the schema and the table of `table` on this test's connection.
    void createTable(const pg::PgTableSql& table) {
        for (const auto& s : table.createSchema())
            ASSERT_EQ(conn.exec(s), 0) << s << "\n" << conn.error().driverText;
        for (const auto& s : table.createTable())
            ASSERT_EQ(conn.exec(s), 0) << s << "\n" << conn.error().driverText;
    }

    // A second station's connection to the same database.
    int openOther(pg::PgConnection& other) const {
        return other.open(PgEnvironment::get().cluster().conninfo());
    }

    // Within the server's limit on names, which it would otherwise cut on its own.
    static constexpr size_t kMaxSchema = 48;

    pg::PgConnection conn;
    std::string schema;
};

}  // namespace cdz::test
