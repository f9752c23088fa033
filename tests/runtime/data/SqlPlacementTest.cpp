// SQL stays in the data layer (and the query store): the program and its tools speak to files
// only through declarations, buffers, views and the operations, so that another storage engine
// could take SQLite's place. Any SQLite call or statement text elsewhere is named by file and
// line.
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/BuiltPaths.h"
#include "tests/support/TempDir.h"

namespace cdz::test {
namespace {

const char* const kSqlMarks[] = {
    "sqlite3_",     "sqlite3.h",       "SELECT ",    "INSERT INTO", "UPDATE ", "DELETE FROM",
    "CREATE TABLE", "CREATE INDEX",    "DROP TABLE", "ALTER TABLE", "PRAGMA",  "SAVEPOINT",
    "ROLLBACK TO",  "ATTACH DATABASE", "VACUUM",     "REINDEX",
};

// "file:line: text" of every line under `folder` (its sources and headers) that holds SQL.
// Comment lines are prose, not SQL.
std::vector<std::string> sqlLines(const std::filesystem::path& root,
                                  const std::filesystem::path& folder) {
    std::vector<std::string> found;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root / folder)) {
        const auto ext = entry.path().extension();
        if (!entry.is_regular_file() || (ext != ".cpp" && ext != ".h")) continue;
        std::ifstream in(entry.path());
        int number = 0;
        for (std::string line; std::getline(in, line);) {
            ++number;
            const auto start = line.find_first_not_of(" \t");
            if (start == std::string::npos || line.compare(start, 2, "//") == 0) continue;
            for (const char* mark : kSqlMarks) {
                if (line.find(mark) == std::string::npos) continue;
                found.push_back(std::filesystem::relative(entry.path(), root).string() + ":" +
                                std::to_string(number) + ": " + line.substr(start));
                break;
            }
        }
    }
    return found;
}

TEST(SqlPlacement, TheCheckNamesFileAndLine) {
    TempDir dir;
    std::filesystem::create_directories(dir.path() / "app/songs");
    std::ofstream(dir.path() / "app/songs/Songs.cpp")
        << "// SELECT in a comment is prose\nint x;\n  db.exec(\"DELETE FROM songs\");\n";
    std::ofstream(dir.path() / "app/songs/Notes.txt") << "UPDATE songs\n";
    EXPECT_EQ(sqlLines(dir.path(), "app"),
              std::vector<std::string>{"app/songs/Songs.cpp:3: db.exec(\"DELETE FROM songs\");"});
}

TEST(SqlPlacement, NoSqlInTheProgramOrItsTools) {
    for (const char* folder : {"app", "tools"}) {
        const auto found = sqlLines(cdz::test::sourceFolder(), folder);
        std::string list;
        for (const auto& f : found) list += f + "\n";
        EXPECT_TRUE(found.empty()) << "SQL outside the data layer:\n" << list;
    }
}

}  // namespace
}  // namespace cdz::test
