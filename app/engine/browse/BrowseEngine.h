#pragma once
// The browse engine: one page of one file in the order of one key, read a page at a time
// around the highlighted row. It moves line by line, page by page and to either end, rebuilds
// the page around a remembered or located record, limits the view to a range and a query
// filter, keeps the record buffers on the highlighted row, and calls the file's form for
// inserts, changes and deletes. Nothing here reads more than a page per movement, and nothing
// counts the file. The window around it only shows the page and forwards the user's keys.
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/engine/browse/BrowseDeclaration.h"
#include "app/engine/browse/IncrementalLocator.h"
#include "app/engine/browse/KeyCollation.h"
#include "app/engine/browse/KeyDistribution.h"
#include "app/engine/browse/NumericDistribution.h"
#include "app/engine/browse/PageQueue.h"
#include "app/engine/browse/ScrollThumb.h"
#include "app/engine/columns/ColumnOrder.h"
#include "app/engine/state/Request.h"
#include "runtime/data/SqlValue.h"
#include "runtime/data/View.h"
#include "runtime/expr/Bindings.h"
#include "runtime/warnings/WarningTable.h"

namespace cdz {

// What the engine needs of the window and the program around it.
struct BrowseHost {
    std::function<int()> visibleRows;                           // rows the list shows now
    std::function<void(Warning warning, std::string)> warning;  // a standard warning
    std::function<void()> close;                                // the window is to close
    std::function<Response(Request)> callForm;                  // the file's form, modal
    std::function<void(bool)> busy;                             // wait cursor on/off
};

class BrowseEngine {
public:
    enum class RefreshMode { None, AtPosition, KeepPage, Top, Bottom, CurrentPage };
    enum class LocateMode { None, AtPosition, ByValue, EditedRecord };

    // `bindings` must hold every field of the view's files (and whatever else the filter texts
    // use); the engine adds the range variables. `calledWith` is Select for a picker.
    BrowseEngine(BrowseDeclaration declaration, Bindings& bindings, BrowseHost host,
                 Request calledWith);
    ~BrowseEngine();
    BrowseEngine(const BrowseEngine&) = delete;
    BrowseEngine& operator=(const BrowseEngine&) = delete;

    // The view could be built (files open, joins and keys known).
    bool ok() const { return ok_; }
    const BrowseDeclaration& declaration() const { return decl_; }

    // The sort order the window's tabs select (0-based); applied by the next refresh.
    void setSortTab(int index) { tab_ = index; }
    int sortOrder() const { return sort_; }
    // The query filter in force ("" for none); applied by the next refresh, which shows the top.
    void setQueryFilter(std::string text);
    const std::string& queryFilter() const { return query_; }

    // Orders the list by one of the view's fields instead of the tab's key: texts without
    // regard to case, ties by record number; the tab's range and query filter stay in force and
    // typed characters locate on the field. The page is rebuilt from the top at once. False
    // (nothing changed) when the field is unknown or a memo.
    bool setColumnOrder(ColumnOrder order);
    // Back to the tab's key order, from the top.
    void clearColumnOrder();
    const std::optional<ColumnOrder>& columnOrder() const { return column_; }

    // RefreshWindow's part: select the sort order, rebuild the view when the order, the range
    // or a forced refresh asks for it, and keep the buffers on the highlighted row.
    void refresh();
    // Records may have changed elsewhere (the window gained focus, was resized): the next
    // refresh rebuilds the page around the highlighted record.
    void forceRefresh() { forced_ = true; }

    // The list's movements.
    void scrollOne(bool down);
    void scrollPage(bool down);
    void scrollEnd(bool bottom);
    // The user highlighted another row of the page (1-based).
    void select(int row);
    // A dropped scroll thumb, 0 to 100.
    void dropThumb(int position);
    // A typed character for the locator of the current sort order; backspace is '\b'.
    void typeLocator(char32_t ch);

    // Rebuild or locate (for callers that changed records or buffers themselves).
    void refreshPage(RefreshMode mode);
    void locate(LocateMode mode);

    // The buttons. Insert, Change and Delete call the form and refresh after it; Select
    // re-reads the highlighted record into the buffers and answers Completed. Each returns
    // false when it could not act (empty page, a record another station deleted).
    bool insert();
    bool change();
    bool erase();
    bool choose();
    // Copy: the highlighted record re-read and handed to the form with `request`: Select, which
    // the song form takes as "insert a copy", or Insert for a form that recognises a copy by the
    // record it finds in the buffer. A completed copy is located and highlighted.
    bool copy(Request request = Request::Select);
    // Locates by a whole value for the current sort order (the alphabet strip's letter): kept as
    // the locator's value, stored into the locator component (a number's component takes the
    // number the text begins with, 0 for a letter), the components after it blanked.
    void locateValue(const std::string& text);

    // What the window shows.
    const PageQueue& page() const { return page_; }
    int choice() const { return choice_; }  // highlighted row, 0 when the page is empty
    bool canChange() const { return !page_.empty(); }
    int thumb() const { return thumb_.position(); }  // 0 to 100
    bool thumbVisible() const;
    const std::string& locatorText() const;
    bool selectMode() const { return calledWith_ == Request::Select; }
    Response response() const { return response_; }
    // The text of a row's field (rowFields order) as stored; a view column index per field.
    const SqlValue& rowValue(int row, int field) const;
    int rowFieldCount() const { return static_cast<int>(rowFields_.size()); }

private:
    struct FieldRef {
        size_t file = 0;  // index into the page's files
        size_t column = 0;
    };
    struct SortState {
        int key = -1;
        int locatorColumn = -1;  // the first key component not fixed by the range
        KeyCollation collation;
        IncrementalLocator locator;
        SqlValue rangeReset;  // the range value the view was last built for
        std::unique_ptr<KeyDistribution> text;
        NumericDistribution numeric;
    };

    bool buildView();
    int rows() const;
    int fillPage(int items, bool forward);
    void resetView();
    void limitToRange();
    bool outsideRange() const;
    void newSelection();
    void blankLocator();
    void clearBuffers();
    void restoreRange();
    void applyFilter();
    bool reread(bool watch);
    void afterForm(Request request, Response response);
    void buildDistribution();
    void placeThumb();
    void placeThumbAfterMovement(bool down, bool endMet);
    SortState& current() { return sorts_[static_cast<size_t>(sort_)]; }
    const SortState& current() const { return sorts_[static_cast<size_t>(sort_)]; }
    bool pageFull() const { return page_.count() >= rows(); }
    // The locator component of the record in the buffer (or of a page row).
    SqlValue locatorValue() const;
    std::string locatorText(int row) const;
    void storeLocator(const SqlValue& value);
    void stepLocator(const std::string& typed);
    const FieldDesc* sourceField(const RangeLimit& range, void** record) const;
    bool recordGone();

    BrowseDeclaration decl_;
    Bindings& bindings_;
    BrowseHost host_;
    Request calledWith_;
    Response response_ = Response::Cancelled;
    std::unique_ptr<View> view_;
    PageQueue page_;
    std::vector<FieldRef> rowFields_;
    std::vector<SortState> sorts_;
    std::optional<ColumnOrder> column_;
    ColumnLocator columnLocator_;
    std::string query_;
    std::string badFilter_;  // the filter text last reported as not compiling
    bool ok_ = false;

    int tab_ = 0;
    int sort_ = -1;
    int choice_ = 0;
    ScrollThumb thumb_;
    bool addToQueue_ = true;
    bool forced_ = false;
    bool queryChanged_ = false;
    bool firstSelection_ = true;
    bool failed_ = false;  // a read failed: the window is closing
};

}  // namespace cdz
