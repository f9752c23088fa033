#include "runtime/data/StoredSize.h"

#include <filesystem>
#include <string>

#include "runtime/data/DataFile.h"
#include "runtime/data/PgEngine.h"
#include "runtime/data/PgResult.h"
#include "runtime/data/PgTableSql.h"

namespace cdz {

int64_t storedBytes(DataFile& file) {
    if (auto* server = file.database().server()) {
        const pg::PgTableSql sql(file.decl(), pg::PgEngine::plainName(file.sql().schema()),
                                 file.sql().table());
        pg::PgResult r;
        if (server->queryNative("SELECT pg_total_relation_size($1::regclass)", {sql.ref()}, &r) ||
            r.rows() != 1) {
            return -1;
        }
        return std::stoll(std::string(r.text(0, 0)));
    }
    std::error_code ec;
    const auto bytes = std::filesystem::file_size(file.path(), ec);
    return ec ? -1 : static_cast<int64_t>(bytes);
}

}  // namespace cdz
