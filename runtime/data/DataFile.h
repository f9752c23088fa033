#pragma once
// One open-able data file of the catalogue: the runtime's file operations over a declared
// file and its record buffer. Every operation leaves its result in the database's error state
// (0 success) and returns the same code.
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <typeindex>
#include <vector>

#include "runtime/data/Database.h"
#include "runtime/data/FileDecl.h"
#include "runtime/data/FileName.h"
#include "runtime/data/KeysetQuery.h"
#include "runtime/data/TableSql.h"

namespace cdz {

// Access modes as the runtime numbers them: the low nibble is the access, the high nibble
// what others may do meanwhile.
namespace access {
constexpr int kReadOnly = 0x00;
constexpr int kReadWrite = 0x02;
constexpr int kDenyAll = 0x10;
constexpr int kDenyWrite = 0x20;
constexpr int kDenyNone = 0x40;
constexpr int kShared = kReadWrite | kDenyNone;     // 66: how the program opens every file
constexpr int kExclusive = kReadWrite | kDenyAll;   // 18: the file manager's maintenance
constexpr int kSharedRead = kReadOnly | kDenyNone;  // 64
}  // namespace access

constexpr int kRecordOrder = -1;  // "key" of plain record-number order

class AddSink;
class BulkSink;
class BulkSource;
class FileCipher;

class DataFile {
public:
    template <class Rec>
    DataFile(Database& db, const FileDecl& decl, Rec& buffer)
        : DataFile(db, decl, &buffer, std::type_index(typeid(Rec))) {}
    DataFile(Database& db, const FileDecl& decl, void* buffer, std::type_index bufferType);
    ~DataFile();
    DataFile(const DataFile&) = delete;
    DataFile& operator=(const DataFile&) = delete;

    Database& database() const { return db_; }
    const FileDecl& decl() const { return decl_; }
    void* record() const { return record_; }
    const ErrorState& error() const { return db_.error(); }

    // The external name (the declaration's until changed); a change applies at the next open.
    const std::string& name() const { return name_; }
    void setName(std::string externalName) { name_ = std::move(externalName); }
    std::filesystem::path path() const;

    // The owner password of an owner-protected file, given on every open and create. Without
    // it, or with another, the file does not open: 5 (Access Denied) with the reason as the
    // driver text.
    void setOwner(std::string password) { owner_ = std::move(password); }
    const std::string& owner() const { return owner_; }

    int open(int mode = access::kShared);
    int create();  // a closed file only; replaces an existing one
    int close();
    int remove();  // a closed file only
    bool isOpen() const { return open_; }
    const TableSql& sql() const { return sql_; }

    // The stored record count, kept up to date by every add and delete.
    int64_t records();

    // Reading. `key` is an index into decl().keys() or kRecordOrder.
    int get(int key);              // first record whose key equals the buffer's values, else 35
    int getRecord(int64_t recno);  // by record number, else 35
    int reget(std::string_view position);           // the record a position token names
    int set(int key = kRecordOrder);                // before the first (after the last) record
    int setAt(int key);                             // at the buffer's key values
    int reset(int key, std::string_view position);  // at a position token
    int next();                                     // 33 past the end
    int previous();                                 // 33 before the start
    // Key index by label or name ("MUS:SongsByArtist"); -1 when unknown.
    int keyIndex(std::string_view label) const { return decl_.keyIndex(label); }

    // The current record: the one last read, added or put. 0 when there is none.
    int64_t recordNumber() const { return recno_; }
    // Which record is current and how it was read (its revision, whether a put is watched):
    // what a window sharing the buffer with others keeps between its turns, together with the
    // buffer, so that another window's reads meanwhile do not change the record it writes.
    struct Current {
        int64_t recno = 0;
        int64_t revision = 0;
        bool watched = false;
    };
    Current current() const { return {recno_, revision_, watched_}; }
    void setCurrent(const Current& c) {
        recno_ = c.recno;
        revision_ = c.revision;
        watched_ = c.watched;
    }
    // The buffer's values in the key's order and the current record number.
    std::string position(int key = kRecordOrder) const;
    void clearBuffer() { decl_.clearRecord(record_); }
    // Takes a row read elsewhere (a view) as the current record: record number, revision and
    // the columns of TableSql::selectList from `firstColumn` on. A NULL record number (nothing
    // joined) clears the buffer and leaves no current record. False when an enciphered value
    // does not open (the file was altered).
    bool loadRow(const SqlValues& row, int firstColumn);
    // A column's value in the form the table stores and compares it (sealed when the file is
    // enciphered).
    SqlValue stored(int column, SqlValue value) const;

    // Writing.
    int add();  // 40 on a duplicate unique key; fills an auto number that was 0
    // Adds the buffer as record number `recno` (a copy keeping every number; auto numbers are
    // taken as they are); 40 when the number or a unique key is taken. keptNumbers() then makes
    // later adds number past the highest.
    int addAs(int64_t recno);
    int keptNumbers();
    // A whole file written in one stream, where the storage has it (StorageFeature::BulkCopy;
    // elsewhere 5): inside a transaction over the open file, beginBulkAdd() sets the keys and
    // the record count aside, each bulkAdd() writes the buffer as record `recno` (its number
    // kept, as addAs), and endBulkAdd() makes the keys and the count again for every record and
    // numbers later adds past the highest (a unique key the records break fails it with 40).
    // Closing the file before the end abandons the stream; the transaction then rolls back.
    int beginBulkAdd();
    int bulkAdd(int64_t recno);
    int endBulkAdd();
    // Every record in record-number order: after beginBulkRead() each bulkNext() fills the
    // buffer and the current record number, 33 past the last. In one stream where the storage
    // has one, else in pages of short reads, each holding no lock past itself.
    int beginBulkRead();
    int bulkNext();
    // New records added together (an import's batch), inside a transaction over the open file,
    // which holds its write lock for the transaction, so no other station adds meanwhile: after
    // beginBatchAdd() each batchAdd() adds the buffer, its auto number (when 0) filled as add()
    // fills it, and endBatchAdd() has every one stored. Where the storage sends adds together
    // (a server), the numbers follow the highest one read once and the records go a batch at a
    // time: none shows before endBatchAdd(), the added record is not current, and a failure
    // shows at the call that sent the records, the transaction then able only to roll back.
    // Elsewhere each batchAdd() is an add(). A file whose auto-numbered key has leading
    // components adds one by one everywhere.
    int beginBatchAdd();
    int batchAdd();
    int endBatchAdd();
    int put();    // rewrites the current record; 89 when watched and changed meanwhile
    int erase();  // deletes the current record
    // Gives every record that carries the buffer's value of the first field of `key` (compared
    // as the key compares it) the value `to` in that field, in one statement, as a put of each
    // would: the folded copy follows and each record's revision advances, so that a watched put
    // of one of them fails with 89. The buffer's field holds `to` afterwards, as the field
    // stores it; the current record is left alone. `changed` receives how many were changed.
    int replaceAll(int key, const SqlValue& to, int64_t* changed = nullptr);
    // Whether the buffer would duplicate a unique key (any, or the one given) of another record:
    // 0 when it would not, 40 when it would, else the code of the failure (32 when another
    // station holds the file past the lock wait). A failure never reads as "no duplicate".
    [[nodiscard]] int duplicate(int key = -1);
    // The same for a record about to be added: every stored record counts, the current one too
    // (after a failed add the current record is whatever was read last, not the new one).
    [[nodiscard]] int duplicateOfNew(int key = -1);
    // The next record read is watched: a put of it fails with 89 if another station changed it.
    void watch() { watchNext_ = true; }
    int stream();
    int flush();

    // Maintenance (the file manager's; an exclusive open is expected).
    // Rebuilds every key, the folded copies and the record count; a closed file (one that
    // failed to open with 46) is opened exclusively for it and closed again.
    int build();
    int pack();  // VACUUM: no deleted space left
    // Whether the open file's pages and indexes check out: "" when they do, else the first
    // problems found, in the storage engine's words.
    int check(std::string* problems);

    // Driver options: "QUICKSCAN=on|off", "Recover=n", "FULLBUILD=on", "RECOVER=1|0",
    // "IGNORESTATUS=ON|OFF", and the question "HELD" (answers "ON" or "OFF"). Returns the
    // answer ("" for the settings).
    std::string send(std::string_view option);
    bool quickScan() const { return quickScan_; }

private:
    struct Cursor {
        int key = kRecordOrder;
        std::optional<KeysetBound> bound;
        std::vector<SqlValues> ahead;  // read-ahead rows (order values, recno, columns)
        bool aheadForward = true;
    };

    int openFile(int mode, bool forBuild);
    int unlock();
    int damaged();
    int requireOpen() const;
    int requireWritable() const;
    KeysetQuery queryFor(int key) const;
    int step(bool forward);
    bool takeRow(const ResultRow& row, int firstColumn);
    int readOne(const std::string& whereSql, const SqlValues& params);
    const KeyDesc* autoNumbered() const;
    int readHighest(const KeyDesc& key);
    int duplicateExcept(int key, int64_t recno);

    Database& db_;
    const FileDecl& decl_;
    void* record_;
    std::string name_;
    FileName where_;
    TableSql sql_;
    std::string insertSql_;
    std::string insertNumberedSql_;  // with the auto number taken inside the statement
    std::string updateSql_;
    std::string updateWatchedSql_;
    std::string recordCountSql_;  // as the storage gives it
    bool open_ = false;
    bool readOnly_ = false;
    bool exclusive_ = false;
    bool streaming_ = false;

    int64_t recno_ = 0;
    int64_t revision_ = 0;
    bool watched_ = false;
    bool watchNext_ = false;
    Cursor cursor_;

    std::string owner_;
    std::unique_ptr<BulkSink> bulkSink_;
    std::unique_ptr<BulkSource> bulkSource_;
    enum class Batch { None, OneByOne, Together, Failed };
    Batch batch_ = Batch::None;
    std::unique_ptr<AddSink> addSink_;
    int64_t batchHighest_ = 0;  // the highest auto number of the file and the batch so far
    SqlValues bulkRow_;         // the stored values of the record a bulk add or read handles
    std::unique_ptr<FileCipher> cipher_;  // kept across opens while the salt stays the same
    std::string cipherOwner_;             // the password cipher_ was derived from

    bool quickScan_ = false;
    bool recover_ = false;
    bool fullBuild_ = false;
    bool ignoreStatus_ = false;
};

// Begins one transaction over the given open files, waiting at most `waitMs` for each.
int beginTransaction(Database& db, const std::vector<DataFile*>& files, int waitMs);

}  // namespace cdz
