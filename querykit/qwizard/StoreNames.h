#pragma once
// Where the query store lives: the exported folder and file name the host may set, and the
// three table names built from them ("<folder>/QUERIES.TPS\!XRQW_Queries" and so on; "\!"
// separates the file from the table inside it).
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "querykit/querykit.h"
#include "runtime/text/Text.h"

namespace qk {

enum class StoreTableId { Queries, Elements, Fields };

class QUERYKIT_API StoreNames {
public:
    static constexpr std::string_view kDefaultFile = "QUERIES.TPS";

    cdz::Text<100>& filePath() { return filePath_; }
    cdz::Text<12>& fileName() { return fileName_; }

    // XR_SETQWFILEPATHS: remembers what is given, then (re)builds the names as the mode says.
    void setFilePaths(std::optional<uint8_t> mode, std::optional<std::string_view> folder,
                      std::optional<std::string_view> fileName);
    // Builds the names from the folder and file name now; a folder that does not end with the
    // platform's separator gets one.
    void build();

    bool built() const { return built_; }
    // A table's name; blank until built.
    const std::string& table(StoreTableId id) const { return tables_[static_cast<int>(id)]; }

private:
    cdz::Text<100> filePath_;
    cdz::Text<12> fileName_;
    std::string tables_[3];
    bool built_ = false;
};

}  // namespace qk
