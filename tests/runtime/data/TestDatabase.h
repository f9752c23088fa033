#pragma once
// The data connection of a data test: the files in the test's folder, or, in the build of the
// same tests against the throwaway server, a catalogue on it named after the folder (so two
// stations of one test share it and no two tests meet).
#include <filesystem>
#include <functional>
#include <string>

#include <gtest/gtest.h>
#include <sqlite3.h>
#include "runtime/data/Database.h"

#include "runtime/data/pg/PgConnection.h"
#include "runtime/data/pg/PgEngine.h"
#ifdef CDZ_TEST_ON_SERVER
#include "tests/runtime/pg/PgEnvironment.h"
#endif

namespace cdz::test {

inline bool onServer() {
#ifdef CDZ_TEST_ON_SERVER
    return true;
#else
    return false;
#endif
}

inline OnServer testServer(const std::filesystem::path& folder) {
#ifdef CDZ_TEST_ON_SERVER
    const size_t hash = std::hash<std::string>{}(std::filesystem::absolute(folder).string());
    return {PgEnvironment::get().cluster().conninfo(), "t" + std::to_string(hash % 1000000007)};
#else
    (void)folder;
    return {};
#endif
}

class TestDatabase : public Database {
public:
    explicit TestDatabase(const std::filesystem::path& folder)
        : Database(folder, testServer(folder)) {}
};

// Runs SQL on a data file with a connection of its own, as the sqlite3 shell (or the server's
// psql, its names found in the file's schema) would.
inline void rawSql(const std::filesystem::path& file, const std::string& sql) {
    if (onServer()) {
        const OnServer server = testServer(file.parent_path());
        ErrorState error;
        pg::PgEngine names(error, server.conninfo, server.catalogue);
        pg::PgConnection conn;
        ASSERT_EQ(conn.open(server.conninfo), 0) << conn.error().driverText;
        EXPECT_EQ(conn.exec("SET search_path = \"" + names.schemaOf(file) + "\"; " + sql), 0)
            << conn.error().driverText;
        return;
    }
    sqlite3* raw = nullptr;
    ASSERT_EQ(sqlite3_open(file.c_str(), &raw), SQLITE_OK);
    char* msg = nullptr;
    EXPECT_EQ(sqlite3_exec(raw, sql.c_str(), nullptr, nullptr, &msg), SQLITE_OK)
        << (msg ? msg : "");
    sqlite3_free(msg);
    sqlite3_close(raw);
}

// The bytes a data file takes: the file, or its schema's tables with their indexes.
inline int64_t storedSize(const std::filesystem::path& file) {
    if (!onServer()) return static_cast<int64_t>(std::filesystem::file_size(file));
    const OnServer server = testServer(file.parent_path());
    ErrorState error;
    pg::PgEngine names(error, server.conninfo, server.catalogue);
    pg::PgConnection conn;
    pg::PgResult r;
    if (conn.open(server.conninfo) ||
        conn.query("SELECT sum(pg_total_relation_size(c.oid))::bigint FROM pg_class c JOIN "
                   "pg_namespace n ON n.oid = c.relnamespace WHERE n.nspname = $1 AND "
                   "c.relkind = 'r'",
                   {names.schemaOf(file)}, &r) ||
        r.rows() == 0) {
        return -1;
    }
    return std::stoll(std::string(r.text(0, 0)));
}

}  // namespace cdz::test

// A test of what only the files in a folder do (their journals, their headers).
#define CDZ_FILES_ONLY() \
    if (::cdz::test::onServer()) GTEST_SKIP() << "only the files in a folder do this"
