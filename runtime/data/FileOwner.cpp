#include "runtime/data/FileOwner.h"

#include "runtime/data/RecordCodec.h"
#include "runtime/data/TableSql.h"

namespace cdz {

int FileOwner::read(Database& db, const std::string& schema) {
    *this = FileOwner{};
    {
        Statement stmt = db.statement("PRAGMA " + schema + ".application_id");
        if (!stmt) return db.error().code;
        const StepResult rc = stmt.step();
        if (!rc.row()) return db.failStep(rc);
        applicationId_ = static_cast<int>(stmt.integer(0));
    }
    {
        Statement stmt = db.statement("SELECT name FROM " + schema +
                                      ".sqlite_schema WHERE type IN ('table','index','trigger')");
        if (!stmt) return db.error().code;
        StepResult rc;
        while ((rc = stmt.step()).row()) {
            names_.insert(std::get<std::string>(RecordCodec::column(stmt, 0)));
        }
        if (!rc.done()) return db.failStep(rc);
    }
    if (!hasLayout()) return db.succeed();
    Statement stmt =
        db.statement("SELECT tbl, layout FROM " + schema + "." + TableSql::kLayoutTable);
    if (!stmt) return db.error().code;
    StepResult rc;
    while ((rc = stmt.step()).row()) {
        const SqlValue table = RecordCodec::column(stmt, 0);
        const SqlValue layout = RecordCodec::column(stmt, 1);
        const auto* t = std::get_if<std::string>(&table);
        const auto* l = std::get_if<std::string>(&layout);
        if (t) layouts_[*t] = l ? *l : std::string();
    }
    if (!rc.done()) return db.failStep(rc);
    return db.succeed();
}

bool FileOwner::hasLayout() const {
    return names_.count(TableSql::kLayoutTable) > 0;
}

const std::string* FileOwner::layoutOf(const std::string& table) const {
    auto it = layouts_.find(table);
    return it == layouts_.end() ? nullptr : &it->second;
}

int FileOwner::admits(Database& db, const FileName& where) const {
    const std::string file = where.database.filename().string();
    if (applicationId_ != 0 && applicationId_ != kApplicationId) {
        return db.fail(err::kInvalidDataFile, 0,
                       file + " belongs to another program (application id " +
                           std::to_string(applicationId_) + ")");
    }
    if (empty()) return db.succeed();
    if (!hasLayout()) {
        return db.fail(err::kInvalidDataFile, 0, file + " is not a data file of this program");
    }
    if (where.sharedFile || layouts_.empty() || layouts_.count(where.table)) return db.succeed();
    return db.fail(
        err::kInvalidDataFile, 0,
        file + " holds the data file " + layouts_.begin()->first + ", not " + where.table);
}

int FileOwner::stamp(Database& db, const std::string& schema) {
    return db.exec("PRAGMA " + schema + ".application_id = " + std::to_string(kApplicationId));
}

}  // namespace cdz
