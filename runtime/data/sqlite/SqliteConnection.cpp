#include "runtime/data/sqlite/SqliteConnection.h"

#include <sqlite3.h>

namespace cdz {

int SqliteConnection::open(const std::string& name, int flags, const std::string& vfs) {
    close();
    return sqlite3_open_v2(name.c_str(), &db_, flags, vfs.empty() ? nullptr : vfs.c_str());
}

void SqliteConnection::close() {
    if (db_) sqlite3_close_v2(db_);
    db_ = nullptr;
}

}  // namespace cdz
