#pragma once
// The storage of a data file kept as a table of a SQLite database file in the folder: the
// file's owner mark and layout table checked as it opens, the table made, rebuilt, vacuumed and
// checked, each under a savepoint so that a failure changes nothing.
#include <filesystem>

#include "runtime/data/FileStorage.h"
#include "runtime/data/TableSql.h"

namespace cdz {

class SqliteFiles final : public FileStorage {
public:
    SqliteFiles(Database& db, const FileDecl& decl, const std::string& schema,
                const FileName& where);

    int checkStored(bool* stamped) override;
    int make(const std::string& salt, const std::string& proof) override;
    int build() override;
    int pack() override;
    int check(std::string* problems) override;
    int64_t storedBytes() override;  // the database file's
    int rename(const std::string& table) override;
    int upgrade() override;
    int numberPastHighest() override;
    std::string recordCountSql() const override;
    int createOnce(const std::function<int()>& create) override;
    // The keys and count triggers set aside while the rows go in (see SqliteBulk.cpp); only
    // inside a transaction.
    std::unique_ptr<BulkSink> bulkSink() override;

    // The engine's own work on the files in the folder (see StorageEngine).
    static int removeFile(Database& db, const FileDecl& decl, const FileName& where);
    static int renameDatabase(Database& db, const std::filesystem::path& from,
                              const std::filesystem::path& to);
    static void discardDatabase(const std::filesystem::path& database);

private:
    int createUnlessListed(const std::function<int()>& create);
    int runAll(const std::vector<std::string>& steps, const std::string& savepoint);

    Database& db_;
    const FileDecl& decl_;
    std::string schema_;
    FileName where_;
    TableSql sql_;
};

}  // namespace cdz
