#pragma once
// Whether a database file is one of the program's data files, and which one. The program
// stamps its files with its application id when it makes them; files of earlier builds carry
// no id but hold the layout table, which names the tables the file holds. A file that is
// neither, or that holds another data file's table, is refused rather than taken over.
#include <cstdint>
#include <map>
#include <set>
#include <string>

#include "runtime/data/Database.h"
#include "runtime/data/FileName.h"

namespace cdz {

class FileOwner {
public:
    // "Cdz0" in the database header: the program's files.
    static constexpr int32_t kApplicationId = 0x43647a30;

    // Reads the file attached as `schema`; a runtime code.
    int read(Database& db, const std::string& schema);

    // Tables, indexes and triggers of the file.
    const std::set<std::string>& names() const { return names_; }
    bool empty() const { return names_.empty(); }
    bool hasLayout() const;
    bool stamped() const { return applicationId_ == kApplicationId; }
    // The stored layout of a table the layout table lists; null when it lists no such table.
    const std::string* layoutOf(const std::string& table) const;

    // 0 when the file may hold the table `where` names: it is new (nothing in it), or one of
    // the program's files that lists the table or, being shared by several tables or holding
    // none yet, may be given it. Else 36 with the reason as the driver text.
    int admits(Database& db, const FileName& where) const;

    // Marks the file attached as `schema` as one of the program's.
    static int stamp(Database& db, const std::string& schema);

private:
    int32_t applicationId_ = 0;
    std::set<std::string> names_;
    std::map<std::string, std::string> layouts_;  // table -> stored layout
};

}  // namespace cdz
