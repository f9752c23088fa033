#pragma once
// The records of one file that meet a condition, counted and picked by their rank in
// record-number order (rank 1 is the lowest record number) or in the order of a key, reading
// record numbers only and never the records. A random draw that must choose evenly among the
// records that exist (after deletions the record numbers have gaps) picks ranks and asks here
// for their record numbers.
#include <cstdint>
#include <vector>

#include "runtime/data/DataFile.h"
#include "runtime/data/View.h"

namespace cdz {

class RecordRanks {
public:
    explicit RecordRanks(DataFile& file) : file_(file) {}

    // Only the records that meet `condition` ({LABEL} names a column of the file, every
    // constant a bound parameter); an empty condition takes every record. 88 when a label is
    // unknown, the condition does not compile or the file is enciphered (its stored values
    // cannot be compared).
    [[nodiscard]] int setCondition(SqlFilter condition);
    // Ranks in the order of `key` (its components, then the record number) instead of the
    // record numbers': a pass then reads the key's index, not the records, which is far
    // less to read when the key is narrow (an auto number follows the order of addition as the
    // record number does). kRecordOrder goes back to record numbers.
    void setOrder(int key) { key_ = key; }
    // How many records meet the condition now.
    int count(int64_t* n);
    // The record number of the record at each rank; `ranks` ascending, each at least 1. A rank
    // past the last record gives 0. One pass in record-number order up to the highest rank;
    // none at all in record-number order when every record counts and the record numbers have
    // no gaps.
    int recordNumbers(const std::vector<int64_t>& ranks, std::vector<int64_t>* recnos);
    // Every record number that meets the condition, in rank order, in one pass: for a
    // condition no index serves, one pass over the records where count() and recordNumbers()
    // would make two. Costs eight bytes a record held.
    int all(std::vector<int64_t>* recnos);

private:
    // The condition with its labels made columns.
    int whereSql(std::string* where) const;
    // The statement of the record numbers in rank order (nullptr on an error).
    Statement rankedStatement();
    // Whether every record counts and the record numbers run without gaps from `*first`.
    int unbroken(bool* yes, int64_t* first);

    DataFile& file_;
    SqlFilter condition_;
    int key_ = kRecordOrder;
};

}  // namespace cdz
