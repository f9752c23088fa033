#pragma once
// Where a whole-program run keeps its catalogue, and what it stored there: the files in the run's
// folder, read with the stock sqlite3 shell as a user would; or, in the build of the same runs
// against the throwaway server, a catalogue on it named after the folder, read over a
// connection of the test's own.
#include <QStringList>

#include <filesystem>
#include <string>

#include "tests/runtime/data/TestDatabase.h"
#include "tests/support/ShellCommand.h"

namespace cdz::test {

// The options that put the program's catalogue where the run's is kept (none for the files).
inline QStringList catalogueArguments(const std::filesystem::path& folder) {
    if (!onServer()) return {};
    const OnServer server = testServer(folder);
    return {"--server", QString::fromStdString(server.conninfo), "--catalogue",
            QString::fromStdString(server.catalogue)};
}

// The rows `sql` reads from the data file `file` of the folder's catalogue, printed as the
// sqlite3 shell prints them ("a|b" lines); "" when the file is not there or the text fails.
inline std::string storedRows(const std::filesystem::path& folder, const std::string& file,
                              const std::string& sql) {
    if (!onServer()) {
        if (!std::filesystem::exists(folder / file)) return {};
        return runSqliteShell(folder / file, sql).out;
    }
    const OnServer server = testServer(folder);
    ErrorState error;
    pg::PgEngine names(error, server.conninfo, server.catalogue);
    pg::PgConnection conn;
    pg::PgResult r;
    if (conn.open(server.conninfo) ||
        conn.exec("SET search_path = \"" + names.schemaOf(folder / file) + "\"") ||
        conn.query(sql, {}, &r)) {
        return {};
    }
    std::string out;
    for (int row = 0; row < r.rows(); ++row) {
        for (int c = 0; c < r.columns(); ++c) {
            if (c) out += '|';
            if (!r.isNull(row, c)) out += r.text(row, c);
        }
        out += '\n';
    }
    return out;
}

// Whether the folder's catalogue holds the data file `file`.
inline bool fileStored(const std::filesystem::path& folder, const std::string& file) {
    return storedRows(folder, file, "SELECT count(*) FROM cdz_layout") != "";
}

}  // namespace cdz::test
