#pragma once
// What a data file does to its own storage, wherever it is kept: check the stored table against
// the declaration as the file opens, make the table, and the file manager's Build, Pack and
// check. The files in a folder and the schemas of a server each do it their own way, with the
// result in the database's error state and the same codes.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "runtime/data/BulkCopy.h"
#include "runtime/data/FileDecl.h"
#include "runtime/data/FileName.h"

namespace cdz {

class Database;

class FileStorage {
public:
    virtual ~FileStorage() = default;

    // 0 when the stored table is the declared one; 2 when it is not there, 36 when its database
    // is not one of the program's or holds another data file, 47 when its layout or columns
    // differ, 46 when a key's index or a count trigger is missing. `stamped` tells whether the
    // file is already marked as this program's (a file of an earlier build is not).
    virtual int checkStored(bool* stamped) = 0;
    // Makes the table afresh (replacing one of the same name), with the owner row of an
    // enciphered file when `salt` is given; all or nothing.
    virtual int make(const std::string& salt, const std::string& proof) = 0;
    // Rebuilds every key, the folded copies and the record count; all or nothing.
    virtual int build() = 0;
    // Gives the deleted space back (outside any transaction).
    virtual int pack() = 0;
    // "" in `problems` when the stored pages and indexes check out, else the problems found.
    virtual int check(std::string* problems) = 0;
    // The bytes the file takes where it is kept (on a server: its table with its indexes, the
    // file attached); -1 when that cannot be told.
    virtual int64_t storedBytes() = 0;
    // Renames the table within its database (its indexes and triggers made again under the new
    // name); all or nothing.
    virtual int rename(const std::string& table) = 0;
    // Converts a table stored under an older declaration to the declared layout, keeping every
    // record with its number; all or nothing. 0 when it already has the layout; 36 when it is
    // not one of the program's; 40 when the records break a declared unique key.
    virtual int upgrade() = 0;
    // Makes the next added record's number follow the highest one (after records were written
    // with their numbers kept).
    virtual int numberPastHighest() = 0;
    // A statement giving the file's record count, as the open transaction sees it; its one
    // parameter is the table's name.
    virtual std::string recordCountSql() const = 0;
    // Runs `create` (which makes the table) unless the table is there, as one station of
    // several starting at once: the check and the making hold the storage's write lock, so one
    // station makes it and the others find it made. 32 when the lock wait ran out.
    virtual int createOnce(const std::function<int()>& create) = 0;
    // The file's bulk paths, started (see BulkCopy.h), where the storage has them
    // (StorageFeature::BulkCopy); null where it has none, or with the error state set when the
    // start failed.
    virtual std::unique_ptr<BulkSink> bulkSink();
    virtual std::unique_ptr<BulkSource> bulkSource();
    // The file's path for adds sent together (see BulkCopy.h), where the storage has one; null
    // where every add is as cheap one by one.
    virtual std::unique_ptr<AddSink> addSink();
    // The file's path for rewrites sent together, where the storage has one; null where every
    // put is as cheap one by one.
    virtual std::unique_ptr<PutSink> putSink();
    // Whether each statement is an exchange with another process (a server): many small reads
    // or writes are then worth sending together. A file of the folder answers one read about
    // as fast as a batch of them.
    virtual bool exchanges() const { return false; }

    // The storage of the file `where`, attached to `db` as `schema`.
    static std::unique_ptr<FileStorage> of(Database& db, const FileDecl& decl,
                                           const std::string& schema, const FileName& where);
};

}  // namespace cdz
