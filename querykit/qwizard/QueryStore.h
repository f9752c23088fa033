#pragma once
// The query store: the three tables of the store file with their record buffers and use
// counts, opened through the library's open routine (converting an elements table of the
// previous layout), and the store's own writes: numbering a new query, deleting a query with
// its elements, saving a query's elements and rewriting a query, each framed as the store
// requires.
#include <array>
#include <cstdint>
#include <vector>

#include "querykit/qwizard/DisplayTexts.h"
#include "querykit/qwizard/Messages.h"
#include "querykit/qwizard/StoreNames.h"
#include "querykit/qwizard/StoreRecords.h"
#include "runtime/data/DataFile.h"

namespace qk {

// How long the store's writes wait for other stations (milliseconds) and how often they try.
struct StoreWaits {
    int deleteMs = 2000;     // deleting a query
    int changeMs = 2000;     // rewriting a query's description record
    int saveMs = 7000;       // saving a query's elements
    int updateMs = 7000;     // updating a class's field list
    int lockMs = 1000;       // each table lock of the field-list update
    int lockAttempts = 10;   // rounds of the three locks
    int numberAttempts = 3;  // new query numbers before the user is asked
};

class QUERYKIT_API QueryStore {
public:
    QueryStore(StoreNames& names, Messages& messages, const DisplayTexts& texts);
    ~QueryStore();
    QueryStore(const QueryStore&) = delete;
    QueryStore& operator=(const QueryStore&) = delete;

    cdz::Database& database() { return db_; }
    StoreNames& names() { return names_; }
    Messages& messages() { return messages_; }
    const DisplayTexts& texts() const { return texts_; }
    StoreWaits& waits() { return waits_; }

    cdz::DataFile& file(StoreTableId id) { return *files_[index(id)]; }
    QueryRec& query() { return query_; }
    ElementRec& element() { return element_; }
    FieldRec& field() { return field_; }

    // Use counts: the first use opens the table (under the names as built now), the last
    // release closes it. use() returns 0, or the open's error when the table could not be
    // opened (the user was told); a failed use needs no release.
    int use(StoreTableId id, int mode = cdz::access::kShared);
    void release(StoreTableId id);
    int users(StoreTableId id) const { return users_[index(id)]; }

    // Reads saved query `queryNo` into the query buffer; false with the buffer cleared
    // (QueryNo 0) when there is none. The queries table must be in use.
    bool readQuery(int32_t queryNo);

    // Adds the query buffer as a new query numbered one above the highest number. A failed
    // add (another station took the number) is tried again; after each run of failed attempts
    // the user is asked whether to go on. 0 with QueryNo set, or the last error.
    int addQuery();

    // Deletes every element of the query, then the query, in one transaction (waits.deleteMs);
    // any failure rolls back. 0, or the error (35 when the query is gone).
    int deleteQuery(int32_t queryNo);

    // Saves the elements of a query in one transaction (waits.saveMs): for a changed query its
    // old elements are deleted first. Failures are reported ("Query Save Error") and a write
    // failure rolls back. Returns 0 or the error.
    int saveElements(int32_t queryNo, const std::vector<ElementRec>& elements, bool changed);

    // Rewrites the query buffer (the record last read) in a transaction (waits.changeMs).
    // 89 when another station changed it after a watched read. Returns 0 or the error.
    int changeQuery();

    // Rolls the open transaction back, keeping the error that caused it; returns its code.
    int abandon();

private:
    static size_t index(StoreTableId id) { return static_cast<size_t>(id); }
    void convertElements();

    StoreNames& names_;
    Messages& messages_;
    const DisplayTexts& texts_;
    StoreWaits waits_;
    cdz::Database db_;
    QueryRec query_;
    ElementRec element_;
    FieldRec field_;
    cdz::DataFile queries_;
    cdz::DataFile elements_;
    cdz::DataFile fields_;
    std::array<cdz::DataFile*, 3> files_;
    std::array<int, 3> users_{};
};

// One use of a store table for the life of the object.
class QUERYKIT_API TableUse {
public:
    TableUse(QueryStore& store, StoreTableId id, int mode = cdz::access::kShared)
        : store_(store), id_(id), code_(store.use(id, mode)) {}
    ~TableUse() {
        if (code_ == 0) store_.release(id_);
    }
    TableUse(const TableUse&) = delete;
    TableUse& operator=(const TableUse&) = delete;

    explicit operator bool() const { return code_ == 0; }
    int code() const { return code_; }

private:
    QueryStore& store_;
    StoreTableId id_;
    int code_;
};

}  // namespace qk
