#pragma once
// What a data file does to its own storage, for a file kept as a schema on a server: make its
// table, check that the stored table is the declared one when it opens, remove it, and the
// file manager's Build, Pack and check. Each leaves its result in the database's error state
// with the codes a file in the folder gives.
#include <functional>
#include <string>

#include "runtime/data/FileStorage.h"
#include "runtime/data/pg/PgTableSql.h"

namespace cdz::pg {

class PgEngine;

class PgFiles final : public FileStorage {
public:
    // `schema` as the engine attached it (quoted).
    PgFiles(PgEngine& engine, const FileDecl& decl, const std::string& schema,
            const FileName& where);

    // As FileStorage, read from the server's own catalogue; a schema is always marked.
    int checkStored(bool* stamped) override;
    int make(const std::string& salt, const std::string& proof) override;
    // Drops the table, and the schema once it holds no other.
    int remove();
    // Makes the record-number counter give numbers past the highest record's.
    int numberPastHighest() override;
    // Renames the table (its indexes and triggers made again under the new name).
    int rename(const std::string& table) override;
    // The count the record-count triggers keep, with the open transaction's own changes.
    std::string recordCountSql() const override;
    int createOnce(const std::function<int()>& create) override;
    // Over COPY (see PgBulk.h); the sink only inside a transaction.
    std::unique_ptr<BulkSink> bulkSink() override;
    std::unique_ptr<BulkSource> bulkSource() override;
    // Over COPY with the keys in place (see PgAddSink.h).
    std::unique_ptr<AddSink> addSink() override;
    // Over COPY into a temporary table, then one statement (see PgAddSink.h).
    std::unique_ptr<PutSink> putSink() override;
    bool exchanges() const override { return true; }
    // The folded copies are folded here, as the program folds, and written back in batches.
    int build() override;
    // Converts a table stored under an older declaration to the declared layout, keeping every
    // record with its number (texts clipped to their width, numbers held to their type); all
    // or nothing. 0 when the table already has the layout; 2 or 36 as the open gives them; 40
    // when the records break a declared unique key.
    int upgrade() override;
    int pack() override;
    // The count against the rows, and each index by the server's own check where installed.
    int check(std::string* problems) override;
    int64_t storedBytes() override;

private:
    int inTransaction(const std::function<int()>& work);
    int refold();

    PgEngine& engine_;
    const FileDecl& decl_;
    std::string schema_;  // as attached
    std::string plain_;
    FileName where_;
    PgTableSql sql_;
};

}  // namespace cdz::pg
