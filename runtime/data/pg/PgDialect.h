#pragma once
// The data layer's SQL, written for SQLite, as the server's: numbered parameters ($N), and the
// conflict clauses the server lacks dropped where its plain statement behaves the same. What
// has no faithful counterpart is refused with the reason rather than passed on to do something
// else. IFNULL and instr need no rewriting: createFunctions() gives the server both.
#include <string>
#include <string_view>
#include <vector>

namespace cdz::pg {

struct PgTranslation {
    std::string sql;
    std::string refused;  // why the text has no counterpart; empty when it translated
    bool ok() const { return refused.empty(); }
};

class PgDialect {
public:
    // The schema of the functions that give the server SQLite's IFNULL and instr; every
    // connection searches it after the server's own functions.
    static constexpr const char* kFunctionSchema = "cdz_sql";

    // Placeholders `?N` become `$N`; `==` becomes `=` and a bare `?` takes one more than the
    // largest number so far (never inside '...' literals, "..." names or comments); INSERT/UPDATE
    // OR FAIL (or ABORT) lose their clause. PRAGMA, ATTACH, other conflict clauses, named
    // parameters and the engine's own functions and tables are refused.
    static PgTranslation translate(std::string_view sql);

    // The statements that create the functions (again, if they are there).
    static std::vector<std::string> createFunctions();
    // The search path each connection sets so that those functions are found by their names.
    static std::string searchPath();
};

}  // namespace cdz::pg
