#pragma once
// What a data file does to its own storage, for a file kept as a schema on a server: make its
// table, check that the stored table is the declared one when it opens, remove it, and the
// file manager's Build, Pack and check. Each leaves its result in the database's error state
// with the codes a file in the folder gives.
#include <functional>
#include <string>

#include "runtime/data/FileDecl.h"
#include "runtime/data/FileName.h"
#include "runtime/data/PgTableSql.h"

namespace cdz::pg {

class PgEngine;

class PgFiles {
public:
    // `schema` as the engine attached it (quoted).
    PgFiles(PgEngine& engine, const FileDecl& decl, const std::string& schema,
            const FileName& where);

    // 2 when the table is not there, 36 when the schema holds another file's table, 47 when
    // the table's layout or columns differ from the declaration, 46 when a key's index or a
    // count trigger is missing or not the declared one.
    int checkStored();
    // Makes the table afresh (replacing one of the same name), with the owner row of an
    // enciphered file when `salt` is given; all or nothing.
    int make(const std::string& salt, const std::string& proof);
    // Drops the table, and the schema once it holds no other.
    int remove();
    // Makes the record-number counter give numbers past the highest record's.
    int numberPastHighest();
    // Renames the table (its indexes and triggers made again under the new name).
    int rename(const std::string& table);
    // Rebuilds every key, the folded copies (folded here, as the program folds) and the count.
    int build();
    // Converts a table stored under an older declaration to the declared layout, keeping every
    // record with its number (texts clipped to their width, numbers held to their type); all
    // or nothing. 0 when the table already has the layout; 2 or 36 as the open gives them; 40
    // when the records break a declared unique key.
    int upgrade();
    // Gives the table's deleted space back (outside any transaction).
    int pack();
    // "" when the table's count and indexes check out, else the problems found.
    int check(std::string* problems);

private:
    int inTransaction(const std::function<int()>& work);
    int refold();

    PgEngine& engine_;
    const FileDecl& decl_;
    std::string plain_;
    FileName where_;
    PgTableSql sql_;
};

}  // namespace cdz::pg
