#pragma once
// New records of a file added together on the server: gathered as the rows of a COPY into the
// table, each sent batch one exchange, with the keys and the record-count triggers in place (a
// batch goes into a file that may hold millions, whose keys are kept as the rows go in). And
// rewrites of records sent together: copied into a temporary table, then one statement.
#include <cstdint>
#include <string>

#include "runtime/data/BulkCopy.h"
#include "runtime/data/FileDecl.h"

namespace cdz::pg {

class PgEngine;

class PgAddSink final : public AddSink {
public:
    PgAddSink(PgEngine& engine, const FileDecl& decl, const std::string& plain,
              const std::string& table);

    int write(const SqlValues& columns) override;
    int flush() override;

private:
    PgEngine& engine_;
    std::string copySql_;
    std::string pending_;  // rows not yet sent
};

class PgPutSink final : public PutSink {
public:
    PgPutSink(PgEngine& engine, const FileDecl& decl, const std::string& plain,
              const std::string& table);

    int write(int64_t recno, const SqlValues& columns) override;
    int flush() override;

private:
    PgEngine& engine_;
    std::string makeSql_;
    std::string copySql_;
    std::string applySql_;
    std::string pending_;  // rows not yet sent
    int64_t rows_ = 0;     // and how many
};

}  // namespace cdz::pg
