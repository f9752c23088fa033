#pragma once
// The stepping of query navigation, without any window: reads a view record by record from
// where the search begins, asks a test of each record, counts what it read for the progress
// the window shows, and in the end puts the view back on the match or on the record it started
// from. The window drives it a batch of records at a time, so the user can cancel between
// batches.
//
// The test runs on each record rather than as the view's filter: a filter set on the view
// would replace the host's own, and one read of a filtered view may go through the whole file
// before it returns, so nothing could be counted or cancelled meanwhile.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "querykit/querykit.h"
#include "runtime/data/ErrorState.h"

namespace cdz {
class View;
}

namespace qk {

enum class NavDirection : uint8_t { First = 1, Previous = 2, Next = 3, Last = 4 };

class QUERYKIT_API QueryNavigator {
public:
    // What the test says of the record just read; Failed ends the search (the test has told
    // the user why).
    enum class Verdict { Match, NoMatch, Failed };
    using Test = std::function<Verdict()>;
    enum class State { Running, Found, EndOfView, Failed };

    static constexpr int kQuietRecords = 40;      // read without a match before progress shows
    static constexpr int kRecordsPerCycle = 500;  // records that make 100%
    static constexpr int kRecordsPerFetch = 20;

    // `start`: the position token the search starts from (directions Previous and Next) and
    // comes back to when nothing is found; blank for the view's beginning (or end).
    QueryNavigator(cdz::View& view, NavDirection direction, std::string start, Test test);

    // Positions the view where the search begins; Failed when it cannot (readError() says why).
    // Until settle() the view fetches a batch's worth of records per query.
    State begin();
    // Tests up to `records` more records (the start stepped past is not one of them); Running
    // while neither a match nor the end was met.
    State step(int records);
    State state() const { return state_; }
    // The read error that made the search fail; code 0 when the test failed it.
    const cdz::ErrorState& readError() const { return readError_; }

    int recordsRead() const { return read_; }
    bool showsProgress() const { return read_ >= kQuietRecords; }
    // 1 to 100: a fifth of the records read, starting over at 1 after each 500.
    int percent() const;

    // Re-reads the view at the match, or at the start when there is none; the start's record
    // is current again (none when the start was blank). The view fetches as it did before.
    void settle();

private:
    bool forward() const;
    State fail(const cdz::ErrorState& error);

    cdz::View& view_;
    NavDirection direction_;
    std::string start_;
    Test test_;
    State state_ = State::Running;
    cdz::ErrorState readError_;
    std::string match_;
    bool skipStart_ = false;
    int read_ = 0;
    int hostPageSize_ = 0;  // the view's own, given back by settle(); 0 before begin()
};

}  // namespace qk
