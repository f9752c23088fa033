#pragma once
// The SQL of a view, composed from its files: the primary file (alias t0) and the files joined
// to it (t1, t2, ...), each joined record the first whose values equal its parent's. It names
// the files' columns, turns a pushed-down condition's labels into them and makes the texts the
// view runs; it runs nothing itself.
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "runtime/data/DataFile.h"

namespace cdz {

class ViewSql {
public:
    struct Source {
        DataFile* file;
        std::string alias;
        std::vector<std::pair<int, int>> on;  // (column of `parent`, column of this file)
        int parent = 0;
    };

    explicit ViewSql(DataFile& primary) : sources_{{&primary, "t0", {}, 0}} {}

    // The primary file first, then the joined ones in the order they were added.
    const std::vector<Source>& sources() const { return sources_; }
    // Joins `file` by pairs of (label in a file already in the view, label in `file`); false
    // when a label is unknown, when the pairs name two files to join to or when there are none.
    bool addJoin(DataFile& file, const std::vector<std::pair<std::string, std::string>>& on);
    // The file of the view that has this label (its index in sources()), and the column there;
    // -1 when no file of the view has it.
    int findLabel(std::string_view label, int* column) const;
    const FieldDesc& field(int source, int column) const;

    // A column as the view's statements name it.
    std::string column(int source, int column) const;
    // A column's value as the view orders and tests it: `folded`, its case-folded copy (the one
    // a case-blind key's index holds, else folded in the statement); from a joined file, the
    // blank its cleared buffer holds when nothing is joined.
    std::string value(int source, int column, bool folded) const;
    // A pushed-down condition with each "{LABEL}" made the column's value and "{~LABEL}" its
    // folded copy; `joined` tells whether it names a joined file. False with `why` for a label
    // that is unknown or not closed.
    bool where(std::string_view condition, std::string* sql, bool* joined, std::string* why) const;

    // The select list of every file of the view, in sources() order.
    std::string select() const;
    // The FROM clause: every file with its join, or (`joined` false) the primary file alone.
    std::string from(bool joined = true) const;
    // The primary record's number as the statements name it.
    static std::string recno();

    // Whether any record meets `where` at all.
    std::string probe(const std::string& where, bool joined) const;
    // Every record's number and order value `term`, with (`withRows`) every file's select list.
    std::string listScan(const std::string& term, bool withRows, const std::string& where,
                         bool joined) const;
    // `list` of the one primary record whose number is bound.
    std::string ofRecord(const std::string& list, bool joined) const;

private:
    std::vector<Source> sources_;
};

}  // namespace cdz
