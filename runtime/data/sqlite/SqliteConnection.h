#pragma once
// Owns one SQLite connection handle and closes it when it goes. Statements still alive at that
// moment keep the handle until they are finalized (SQLite's deferred close), so no order of
// destruction leaves a dangling statement.
#include <string>

struct sqlite3;

namespace cdz {

class SqliteConnection {
public:
    SqliteConnection() = default;
    ~SqliteConnection() { close(); }
    SqliteConnection(const SqliteConnection&) = delete;
    SqliteConnection& operator=(const SqliteConnection&) = delete;

    // Opens `name` (a file or ":memory:") with the open flags and, when `vfs` is not empty, the
    // named VFS. Returns SQLite's result code; on failure the handle stays until close(), so
    // its message can be read.
    int open(const std::string& name, int flags, const std::string& vfs = {});
    void close();
    sqlite3* get() const { return db_; }
    explicit operator bool() const { return db_ != nullptr; }

private:
    sqlite3* db_ = nullptr;
};

}  // namespace cdz
