#pragma once
// Runs the stock sqlite3 shell on a database with a script on its standard input, timing the
// whole run as a user at a terminal would see it.
#include <filesystem>
#include <string>

namespace cdz::bench {

struct ShellRun {
    bool ok = false;  // started and ended with status 0
    double seconds = 0;
    std::string out;  // what it printed (standard output)
};

class SqliteShell {
public:
    static bool available();
    static ShellRun run(const std::filesystem::path& database, const std::string& script);
};

}  // namespace cdz::bench
