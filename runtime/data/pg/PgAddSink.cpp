#include "runtime/data/pg/PgAddSink.h"

#include "runtime/data/pg/PgCopyText.h"
#include "runtime/data/pg/PgEngine.h"
#include "runtime/data/pg/PgTableSql.h"

namespace cdz::pg {
namespace {

// Bytes of rows gathered before they go to the server: a few thousand records an exchange.
constexpr size_t kSendBytes = size_t{1} << 20;

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
    : engine_(engine) {
    // The record number is left to the table's counter, as an add leaves it.
    const PgTableSql sql(decl, plain, table);
    std::string columns = PgTableSql::kRevision;
    for (size_t i = 0; i < decl.columns().size(); ++i)
        columns += ", " + sql.column(static_cast<int>(i));
    for (int c : sql.foldedColumns()) columns += ", " + sql.foldedName(c);
    copySql_ = "COPY " + sql.ref() + "(" + columns + ") FROM STDIN";
    pending_.reserve(kSendBytes + kSendBytes / 4);
}

int PgAddSink::write(const SqlValues& columns) {
    const size_t before = pending_.size();
    appendCopyField(pending_, int64_t{1}, true);  // a new record's revision
    for (const auto& v : columns) {
        if (!appendCopyField(pending_, v, false)) {
            pending_.resize(before);
            return engine_.failWith(err::kDriverError,
                                    "a text holds a NUL byte, which the server cannot store");
        }
    }
    pending_ += '\n';
    return pending_.size() >= kSendBytes ? flush() : engine_.failWith(0);
}

int PgAddSink::flush() {
    if (pending_.empty()) return engine_.failWith(0);
    CopyIn copy(engine_.connection());
    if (copy.begin(copySql_) || copy.put(pending_) || copy.end()) return engine_.report();
    pending_.clear();
    return engine_.failWith(0);
}

}  // namespace cdz::pg
