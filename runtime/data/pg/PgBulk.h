#pragma once
// A file's bulk paths on the server, over COPY: rows go in without the keys and the count
// triggers, which are made again once for all of them (as an upgrade builds its keys after its
// copy), and come out in one statement's snapshot in record-number order.
#include <memory>
#include <string>
#include <vector>

#include "runtime/data/BulkCopy.h"
#include "runtime/data/pg/PgCopyText.h"
#include "runtime/data/pg/PgTableSql.h"

namespace cdz::pg {

class PgEngine;

class PgBulkSink final : public BulkSink {
public:
    // Inside the transaction: sets the table's keys and triggers aside and starts the COPY;
    // null with the error state set when that fails.
    static std::unique_ptr<PgBulkSink> start(PgEngine& engine, const FileDecl& decl,
                                             const std::string& plain, const std::string& table);
    ~PgBulkSink() override;
    PgBulkSink(const PgBulkSink&) = delete;
    PgBulkSink& operator=(const PgBulkSink&) = delete;

    int write(int64_t recno, const SqlValues& columns) override;
    int finish() override;

private:
    PgBulkSink(PgEngine& engine, const FileDecl& decl, const std::string& plain,
               const std::string& table);
    int send();

    PgEngine& engine_;
    PgTableSql sql_;
    std::string plain_;
    std::string table_;
    std::string pending_;  // lines not yet sent
    bool copying_ = false;
};

class PgBulkSource final : public BulkSource {
public:
    // Starts the COPY out; null with the error state set when that fails.
    static std::unique_ptr<PgBulkSource> start(PgEngine& engine, const FileDecl& decl,
                                               const std::string& plain, const std::string& table);
    ~PgBulkSource() override;
    PgBulkSource(const PgBulkSource&) = delete;
    PgBulkSource& operator=(const PgBulkSource&) = delete;

    int read(SqlValues* row) override;

private:
    explicit PgBulkSource(PgEngine& engine) : engine_(engine) {}

    PgEngine& engine_;
    std::vector<CopyType> types_;
    bool copying_ = false;
};

}  // namespace cdz::pg
