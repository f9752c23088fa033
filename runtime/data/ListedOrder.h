#pragma once
// A view's order read from a list of its records sorted once (SortedRecords) instead of from
// SQLite at every page: how a view reads in an order that no index serves without sorting the
// whole file for each page. It keeps the list while the view's query and the files stay as they
// were; a change made elsewhere makes it again at the next positioning. The view's filter was
// applied when the list was made, and a record deleted since is passed over.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "runtime/data/SortedRecords.h"
#include "runtime/data/SqlValue.h"

namespace cdz {

class View;

class ListedOrder {
public:
    explicit ListedOrder(View& view) : view_(view) {}

    // The query the list is made by changed (order, filter, prefix, joins): made again at the
    // next positioning, unless the query is the one the list was made by.
    void queryChanged(const std::string& scanSql, const SqlValues& params);
    // Positioning: before the first record, at a value (with a record number: at that record,
    // `inclusive` taking the record itself first), each followed by step(). A positioning reads
    // nothing: the list is made (which fills the buffers when the program tests each record)
    // and searched by the step that follows, so the buffers stay as they are until a read.
    void setStart();
    void setAt(const SqlValue& value, std::optional<int64_t> recno, bool inclusive);
    // The record of this value and number was just written through this connection: put in
    // its place in the list (added when new) without making the list again, and the view
    // positioned at it.
    void placeEdited(const SqlValue& value, int64_t recno);
    // Reads the next or previous record into the view's buffers; 33 past either end.
    int step(bool forward, int64_t* recno);
    size_t size() const { return list_.size(); }
    // Where a record stands in the list, 0 (first) to 1 (last); nullopt when it is not in it.
    std::optional<double> fraction(int64_t recno) const;

private:
    struct Seek {
        enum class Kind { Start, At, Edited } kind = Kind::Start;
        SqlValue value;
        std::optional<int64_t> recno;
        bool inclusive = false;
    };

    // Makes the list when it is missing or stale and carries out the positioning asked for.
    int settle();
    int ensureList();
    int makeList();
    std::vector<int64_t> stamp() const;
    // The order value of a record as the view's order term gives it; false when it is gone.
    int valueOf(int64_t recno, SqlValue* value, bool* found);
    // The index of the first record not before (value, recno), by a binary search that reads
    // the values of the records it visits.
    int lowerBound(const SqlValue& value, int64_t recno, size_t* index);

    View& view_;
    SortedRecords list_;
    bool made_ = false;
    std::string scanSql_;
    SqlValues params_;
    std::vector<int64_t> stamp_;  // the files' change counters when the list was made
    std::optional<Seek> pending_ = Seek{};
    size_t forward_ = 0;     // the index step(true) reads next
    int64_t backward_ = -1;  // the index step(false) reads next (-1: none)
};

}  // namespace cdz
