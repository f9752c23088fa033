#include "runtime/data/pg/PgAddSink.h"

#include "runtime/data/pg/PgCopyText.h"
#include "runtime/data/pg/PgEngine.h"
#include "runtime/data/pg/PgTableSql.h"

namespace cdz::pg {
namespace {

// A COPY begun and not yet ended is refused as the scope leaves, so the transaction it ran in
// cannot commit part of it.
class CopyIn {
public:
    explicit CopyIn(PgConnection& conn) : conn_(conn) {}
    ~CopyIn() {
        if (open_) conn_.abandonCopy();
    }
    CopyIn(const CopyIn&) = delete;
    CopyIn& operator=(const CopyIn&) = delete;

    int begin(const std::string& sql) {
        const int code = conn_.beginCopy(sql);
        open_ = code == 0;
        return code;
    }
    int put(std::string_view rows) { return conn_.putCopy(rows); }
    int end() {
        open_ = false;
        return conn_.endCopyIn(nullptr);
    }

private:
    PgConnection& conn_;
    bool open_ = false;
};

}  // namespace

PgAddSink::PgAddSink(PgEngine& engine, const FileDecl& decl, const std::string& plain,
                     const std::string& table)
    // The record number is left to the table's counter, as an add leaves it.
    : engine_(engine), copySql_(PgTableSql(decl, plain, table).copyNewRecords(false)) {
    pending_.reserve(kCopySendBytes + kCopySendBytes / 4);
}

int PgAddSink::write(const SqlValues& columns) {
    if (!appendNewRecordRow(pending_, {}, columns)) {
        return engine_.failWith(err::kDriverError,
                                "a text holds a NUL byte, which the server cannot store");
    }
    return pending_.size() >= kCopySendBytes ? flush() : engine_.failWith(0);
}

int PgAddSink::flush() {
    if (pending_.empty()) return engine_.failWith(0);
    CopyIn copy(engine_.connection());
    if (copy.begin(copySql_) || copy.put(pending_) || copy.end()) return engine_.report();
    pending_.clear();
    return engine_.failWith(0);
}

}  // namespace cdz::pg

namespace cdz::pg {

PgPutSink::PgPutSink(PgEngine& engine, const FileDecl& decl, const std::string& plain,
                     const std::string& table)
    : engine_(engine) {
    const PgTableSql sql(decl, plain, table);
    makeSql_ = sql.makeRewrites();
    copySql_ = sql.copyRewrites();
    applySql_ = sql.applyRewrites();
}

int PgPutSink::write(int64_t recno, const SqlValues& columns) {
    if (!appendNewRecordRow(pending_, {recno}, columns)) {
        return engine_.failWith(err::kDriverError,
                                "a text holds a NUL byte, which the server cannot store");
    }
    ++rows_;
    return pending_.size() >= kCopySendBytes ? flush() : engine_.failWith(0);
}

int PgPutSink::flush() {
    if (pending_.empty()) return engine_.failWith(0);
    PgConnection& conn = engine_.connection();
    CopyIn copy(conn);
    if (conn.exec(makeSql_) || copy.begin(copySql_) || copy.put(pending_) || copy.end()) {
        return engine_.report();
    }
    PgResult applied;
    if (conn.query(applySql_, {}, &applied)) return engine_.report();
    const int64_t sent = rows_;
    pending_.clear();
    rows_ = 0;
    // A record another station deleted meanwhile, as a put of it finds.
    return applied.affected() == sent ? engine_.failWith(0)
                                      : engine_.failWith(err::kRecordNotAvailable);
}

}  // namespace cdz::pg
