#include "querykit/navigation/QueryNavigator.h"

#include "runtime/data/View.h"

namespace qk {

QueryNavigator::QueryNavigator(cdz::View& view, NavDirection direction, std::string start,
                               Test test)
    : view_(view), direction_(direction), start_(std::move(start)), test_(std::move(test)) {}

bool QueryNavigator::forward() const {
    return direction_ == NavDirection::First || direction_ == NavDirection::Next;
}

QueryNavigator::State QueryNavigator::fail(const cdz::ErrorState& error) {
    readError_ = error;
    return state_ = State::Failed;
}

QueryNavigator::State QueryNavigator::begin() {
    const bool fromStart = direction_ == NavDirection::Previous || direction_ == NavDirection::Next;
    // First reads forward and Last backward from the view's ends, so each meets its own
    // match first.
    skipStart_ = fromStart && !start_.empty();
    // One query per record read costs several times the record's own test.
    hostPageSize_ = view_.pageSize();
    view_.setPageSize(kRecordsPerFetch);
    const int code = skipStart_ ? view_.reset(start_) : view_.setStart();
    if (code != 0) return fail(view_.database().error());
    return state_ = State::Running;
}

QueryNavigator::State QueryNavigator::step(int records) {
    for (int tested = 0; tested < records && state_ == State::Running;) {
        const int code = forward() ? view_.next() : view_.previous();
        if (code == cdz::err::kRecordNotAvailable) return state_ = State::EndOfView;
        if (code != 0) return fail(view_.database().error());
        if (skipStart_) {
            skipStart_ = false;
            // The start itself is stepped past; when it has gone, the record now in its place
            // is already the next one.
            if (view_.position() == start_) continue;
        }
        ++read_;
        ++tested;
        switch (test_()) {
            case Verdict::Match:
                match_ = view_.position();
                return state_ = State::Found;
            case Verdict::Failed:
                return fail(cdz::ErrorState{});
            case Verdict::NoMatch:
                break;
        }
    }
    return state_;
}

int QueryNavigator::percent() const {
    constexpr int perPercent = kRecordsPerCycle / 100;
    if (read_ <= 0) return 0;
    const int reached = (read_ + perPercent - 1) / perPercent;
    return (reached - 1) % 100 + 1;
}

void QueryNavigator::settle() {
    if (hostPageSize_ > 0) view_.setPageSize(hostPageSize_);
    const std::string& at = state_ == State::Found ? match_ : start_;
    if (at.empty()) {
        static_cast<void>(view_.setStart());
        return;
    }
    // The remembered record read again fills every buffer of the view as it was, and the
    // host's next step goes on from it.
    if (view_.reset(at) == 0) static_cast<void>(view_.next());
}

}  // namespace qk
