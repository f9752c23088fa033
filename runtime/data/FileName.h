#pragma once
// Where a data file lives: its external name ("cdzdata", "QUERIES.TPS\!XRQW_Queries") turned
// into the database file on disk and the table inside it.
#include <filesystem>
#include <string>
#include <string_view>

namespace cdz {

struct FileName {
    std::filesystem::path database;  // folder/cdzdata.tps
    std::string table;               // the table inside the database file
    bool sharedFile = false;         // named with "\!": one of several tables in the file

    // A name without an extension gets ".tps"; a relative name lives in `folder`. The part after
    // "\!" names the table; without it the table is called after the file's label.
    static FileName resolve(std::string_view externalName, const std::filesystem::path& folder,
                            std::string_view label);
};

}  // namespace cdz
