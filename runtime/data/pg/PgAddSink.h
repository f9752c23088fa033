#pragma once
// New records of a file added together on the server: gathered as the rows of a COPY into the
// table, each sent batch one exchange, with the keys and the record-count triggers in place (a
// batch goes into a file that may hold millions, whose keys are kept as the rows go in).
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

}  // namespace cdz::pg
