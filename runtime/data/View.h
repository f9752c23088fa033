#pragma once
// A view: one file read in the order of one of its keys or of an order list
// ("UPPER(MUS:Title), -MUS:Artist"), optionally joined to further files (a song to its
// category, a playlist entry to its song and the song's category) whose buffers are left blank
// when nothing matches, and optionally filtered. Reading fills the record buffers of every
// file of the view; it goes a page at a time from the last record read, so the view never
// counts or loads the whole file. The order is read into terms by ViewOrder and the statements
// are composed by ViewSql; the view holds the position and reads.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "runtime/data/DataFile.h"
#include "runtime/data/FetchAhead.h"
#include "runtime/data/KeysetQuery.h"
#include "runtime/data/ListedOrder.h"
#include "runtime/data/ViewOrder.h"
#include "runtime/data/ViewSql.h"

namespace cdz {

// A condition pushed down to SQLite: `where` names columns as {LABEL} ("{MUS:Artist} = ?")
// and takes every constant as a bound parameter; it is never built from user text directly.
struct SqlFilter {
    std::string where;
    SqlValues params;
};

class View {
public:
    explicit View(DataFile& primary);

    Database& database() const { return primary_.database(); }

    // Joins `file` by equal values: pairs of (label in a file already in the view, label in
    // `file`). The first matching record is taken; none leaves `file`'s buffer cleared.
    int addJoin(DataFile& file, const std::vector<std::pair<std::string, std::string>>& on);
    // Order by a key of the primary file, or by an order list: labels of any file of the view,
    // "-" for descending, UPPER()/LOWER() to ignore case. 88 when a label is unknown.
    //
    // An order or filter that cannot be set is not replaced by the one before: until that part
    // is set again successfully, every read of the view fails with the error of the failed set
    // rather than reading in another order or unfiltered.
    [[nodiscard]] int setOrder(int key);
    [[nodiscard]] int setOrder(std::string_view orderList);
    // The filter: `accept` sees each candidate after the buffers are filled; `pushDown`, when
    // given, is applied by SQLite first. Either may be empty. 88 when `pushDown` names an
    // unknown label or is not a condition SQLite can run.
    [[nodiscard]] int setFilter(std::function<bool()> accept, SqlFilter pushDown = {});
    // Reads the order of one term set by setOrder(list) from a list of the matching records
    // sorted once (ListedOrder) instead of having SQLite sort at every page: for an order no
    // index serves. The list is made at the next positioning and kept until the order, filter or
    // prefix changes or the files change other than through setAtRecord(). 88 when the order is
    // not one term; setOrder() ends it, and the list is taken up again when the same order and
    // filter are listed again.
    [[nodiscard]] int setListed(bool on);
    bool listed() const { return listing_; }
    // Where a record stands in the listed order, 0 to 1 (for a scroll thumb).
    std::optional<double> listedFraction(int64_t recno) const {
        return listing_ ? listed_->fraction(recno) : std::nullopt;
    }

    // Only the records whose first `components` order values equal the buffers' values now, as
    // the order compares them (a case-insensitive key by its folded copy): a range over a key's
    // leading fields, which SQLite reads through the key's index instead of testing every
    // record. Kept until the order is set again or the prefix is set to 0 components.
    [[nodiscard]] int setPrefix(int components);
    // Records a filter that could not be made (a text that does not compile): the view reads
    // nothing, failing with 88 and `why`, until a filter is set again.
    int refuseFilter(std::string_view why);

    // Positioning; each is followed by next() or previous().
    int setStart();     // before the first record (previous(): from the last)
    int setAtValues();  // at the order values now in the buffers
    // At the record now in the browsed file's buffer (its order values and record number), the
    // record itself included: how a browse finds the record a form has just written.
    int setAtRecord();
    int reset(std::string_view position);  // at a position token, the record itself included
    int next();                            // 33 past the end
    int previous();                        // 33 before the start
    // The current record's token for reset(); empty before the first read. Made when first
    // asked for, since a long read asks for few of them.
    const std::string& position() const;
    // Reads the primary record with this record number and its joined records, unfiltered.
    int readRecord(int64_t recno);

    // The field with this label in any file of the view, and that file's record buffer; null
    // when no file of the view has it.
    const FieldDesc* column(std::string_view label, void** record = nullptr) const;

    // Rows fetched per query (at least 1). More rows per query suit long filtered scans.
    void setPageSize(int rows) { pageSize_ = rows < 1 ? 1 : rows; }
    int pageSize() const { return pageSize_; }

private:
    friend class ListedOrder;
    // Fails with the error of a failed set of the order or the filter, if any.
    int refused() const;
    // Checks that SQLite can run the view's query; when not, the set is refused.
    int prepared(std::optional<ErrorState>* failure);
    // Clears the position and makes the query, unless a set was refused.
    int rebuild();
    // Makes the query of the order and filter now set.
    int compose();
    int step(bool forward);
    // Before the fetched page is dropped: the bound after its last taken row, and the token of
    // the current record if it is still to be made.
    void settle();
    // Forgets the page, the bound and the current record.
    void unplace();
    int probe();
    bool takeRow(const SqlValues& row, int firstColumn);
    // An order term's value of the record in the buffers, as the view's query gives it.
    SqlValue termValue(size_t term) const;
    // The listed order's scan: record number, the term, and the select list when the program
    // tests each record.
    std::string listScanSql() const;
    int stepListed(bool forward);
    int orderKey_ = -1;
    std::optional<ErrorState> orderFailed_;
    std::optional<ErrorState> filterFailed_;

    DataFile& primary_;
    ViewSql sql_;  // the files of the view and the statements made of them
    std::vector<ViewTerm> terms_;
    std::function<bool()> accept_;
    SqlFilter pushDown_;
    SqlFilter prefix_;  // the order's leading values, as a condition on their columns
    int prefixTerms_ = 0;
    SqlValues params_;  // the prefix's values, then the pushed-down filter's
    KeysetQuery query_;
    std::optional<KeysetBound> bound_;
    FetchAhead ahead_;
    mutable std::string position_;
    mutable std::optional<size_t> positionRow_;  // row of ahead_ whose token is not made yet
    std::string probeSql_;  // whether the pushed-down condition matches anything at all
    bool probed_ = false;
    int pageSize_ = 1;
    std::string where_;  // the query's condition, prefix and pushed-down filter
    bool joinedWhere_ = false;
    std::unique_ptr<ListedOrder> listed_;  // kept while another order reads, for its return
    bool listing_ = false;
};

}  // namespace cdz
