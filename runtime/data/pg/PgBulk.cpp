#include "runtime/data/pg/PgBulk.h"

#include "runtime/data/pg/PgCopyText.h"
#include "runtime/data/pg/PgEngine.h"

namespace cdz::pg {

PgBulkSink::PgBulkSink(PgEngine& engine, const FileDecl& decl, const std::string& plain,
                       const std::string& table)
    : engine_(engine), sql_(decl, plain, table), plain_(plain), table_(table) {}

std::unique_ptr<PgBulkSink> PgBulkSink::start(PgEngine& engine, const FileDecl& decl,
                                              const std::string& plain, const std::string& table) {
    if (!engine.connection().inTransaction()) {
        engine.failWith(err::kTransactionFailed, "no transaction is open");
        return nullptr;
    }
    std::unique_ptr<PgBulkSink> sink(new PgBulkSink(engine, decl, plain, table));
    // Each key would otherwise be kept in order row by row, and the count triggers would
    // gather every row added in one statement before counting them.
    for (const auto& s : sink->sql_.dropIndexesAndTriggers()) {
        if (engine.execNative(s)) return nullptr;
    }
    if (engine.connection().beginCopy(sink->sql_.copyNewRecords(true))) {
        engine.report();
        return nullptr;
    }
    sink->copying_ = true;
    sink->pending_.reserve(kCopySendBytes + kCopySendBytes / 4);
    return sink;
}

PgBulkSink::~PgBulkSink() {
    // The server ends the copy with a failure, and the transaction can only roll back.
    if (copying_) engine_.connection().abandonCopy();
}

int PgBulkSink::send() {
    if (pending_.empty()) return 0;
    if (engine_.connection().putCopy(pending_)) return engine_.report();
    pending_.clear();
    return 0;
}

int PgBulkSink::write(int64_t recno, const SqlValues& columns) {
    if (!copying_) return engine_.failWith(err::kFileNotOpen, "the copy has ended");
    if (!appendNewRecordRow(pending_, {recno}, columns)) {
        return engine_.failWith(err::kDriverError, "record " + std::to_string(recno) +
                                                       ": a text holds a NUL byte, which the "
                                                       "server cannot store");
    }
    return pending_.size() >= kCopySendBytes ? send() : 0;
}

int PgBulkSink::finish() {
    if (!copying_) return engine_.failWith(err::kFileNotOpen, "the copy has ended");
    if (int code = send()) return code;
    copying_ = false;
    if (engine_.connection().endCopyIn(nullptr)) return engine_.report();
    std::vector<std::string> steps = sql_.createIndexesAndTriggers();
    steps.push_back(sql_.recount());
    steps.push_back(sql_.numberPastHighest());
    for (const auto& s : steps) {
        if (int code = engine_.execNative(s)) return code;
    }
    return 0;
}

std::unique_ptr<PgBulkSource> PgBulkSource::start(PgEngine& engine, const FileDecl& decl,
                                                  const std::string& plain,
                                                  const std::string& table) {
    const PgTableSql sql(decl, plain, table);
    std::unique_ptr<PgBulkSource> source(new PgBulkSource(engine));
    source->types_ = {CopyType::Integer, CopyType::Integer};
    for (const auto& f : decl.columns()) {
        const bool real = f.type == FieldType::Decimal && f.decimal.places > 0;
        source->types_.push_back(f.isText() ? CopyType::Text
                                 : real     ? CopyType::Real
                                            : CopyType::Integer);
    }
    if (engine.connection().beginCopy("COPY (SELECT " + sql.selectList() + " FROM " + sql.ref() +
                                      " ORDER BY " + PgTableSql::kRecno + ") TO STDOUT")) {
        engine.report();
        return nullptr;
    }
    source->copying_ = true;
    return source;
}

PgBulkSource::~PgBulkSource() {
    if (copying_) engine_.connection().abandonCopy();
}

int PgBulkSource::read(SqlValues* row) {
    if (!copying_) return engine_.failWith(err::kRecordNotAvailable);
    std::string_view line;
    const int got = engine_.connection().getCopy(&line);
    if (got == 1) {
        if (readCopyLine(line, types_, row)) return engine_.failWith(0);
        return engine_.failWith(err::kDriverError, "a row the server sent does not read");
    }
    copying_ = false;
    return got == 0 ? engine_.failWith(err::kRecordNotAvailable) : engine_.report();
}

}  // namespace cdz::pg
