// The browse engine's thumb: where the page lies in the view, estimated from its two ends.
#include "app/engine/browse/BrowseEngine.h"

#include <algorithm>
#include <cmath>

#include "runtime/data/ErrorState.h"
#include "runtime/text/Text.h"

namespace cdz {

bool BrowseEngine::thumbVisible() const {
    return thumb_.visible();
}

// Two reads, the first and the last record of the view, give the estimate its ends.
void BrowseEngine::buildDistribution() {
    if (failed_ || sort_ < 0 || column_) return;
    const SortOrder& s = decl_.sorts[static_cast<size_t>(sort_)];
    if (s.thumb == ThumbKind::None) return;
    SqlValue ends[2];
    for (int end = 0; end < 2; ++end) {
        resetView();
        const int code = end == 0 ? view_->previous() : view_->next();
        if (code == err::kRecordNotAvailable) {
            restoreRange();
            resetView();
            if (!page_.empty()) page_.restore(page_.at(choice_));
            return;
        }
        if (code != 0) {
            failed_ = true;
            if (host_.warning)
                host_.warning(Warning::RecordRetrievalError, decl_.file->decl().label());
            if (host_.close) host_.close();
            return;
        }
        ends[end] = locatorValue();
    }
    resetView();
    SortState& state = current();
    if (s.thumb == ThumbKind::Text) {
        const auto* high = std::get_if<std::string>(&ends[0]);
        const auto* low = std::get_if<std::string>(&ends[1]);
        if (!state.text) {
            state.text =
                std::make_unique<KeyDistribution>(s.thumbWidth, s.thumbFlags, state.collation);
        }
        state.text->build(low ? *low : std::string(), high ? *high : std::string());
    } else {
        auto number = [](const SqlValue& v) {
            if (const auto* i = std::get_if<int64_t>(&v)) return static_cast<double>(*i);
            if (const auto* d = std::get_if<double>(&v)) return *d;
            return 0.0;
        };
        state.numeric.build(number(ends[1]), number(ends[0]));
    }
    // Reading moved the buffers; they belong to the highlighted row.
    if (!page_.empty()) page_.restore(page_.at(choice_));
}

void BrowseEngine::placeThumb() {
    if (sort_ < 0) return;
    const SortOrder& s = decl_.sorts[static_cast<size_t>(sort_)];
    std::optional<int> estimate;
    if (column_) {
        // The sorted list knows where the row stands; the tab's estimates are of another order.
        if (!page_.empty()) {
            if (auto f = view_->listedFraction(page_.at(choice_).recnos.front())) {
                estimate = static_cast<int>(std::lround(*f * 100.0));
            }
        }
        thumb_.placeThumb(pageFull(), estimate);
        return;
    }
    if (s.thumb == ThumbKind::Text && current().text && current().text->built()) {
        const SqlValue v = locatorValue();
        const auto* t = std::get_if<std::string>(&v);
        estimate = current().text->thumbPosition(t ? *t : std::string());
    } else if (s.thumb == ThumbKind::Numeric && current().numeric.built()) {
        const SqlValue v = locatorValue();
        const auto* i = std::get_if<int64_t>(&v);
        const auto* d = std::get_if<double>(&v);
        estimate = current().numeric.thumbPosition(i ? double(*i) : d ? *d : 0.0);
    }
    thumb_.placeThumb(pageFull(), estimate);
}

void BrowseEngine::placeThumbAfterMovement(bool down, bool endMet) {
    if (column_) return;  // placed from the list after every movement
    if (sort_ < 0 || decl_.sorts[static_cast<size_t>(sort_)].thumb != ThumbKind::None) return;
    thumb_.placeThumbAfterMovement(pageFull(),
                                   down ? ScrollThumb::Move::Down : ScrollThumb::Move::Up, endMet);
}

void BrowseEngine::dropThumb(int position) {
    if (page_.empty()) return;
    const SortOrder& s = decl_.sorts[static_cast<size_t>(sort_)];
    const bool estimated =
        !column_ && ((s.thumb == ThumbKind::Text && current().text && current().text->built()) ||
                     (s.thumb == ThumbKind::Numeric && current().numeric.built()));
    const ScrollThumb::Drop drop = ScrollThumb::dropThumb(position, estimated);
    switch (drop.action) {
        case ScrollThumb::Drop::Action::Top:
            scrollEnd(false);
            break;
        case ScrollThumb::Drop::Action::Bottom:
            scrollEnd(true);
            break;
        case ScrollThumb::Drop::Action::Locate:
            if (s.thumb == ThumbKind::Text) {
                storeLocator(current().text->point(drop.point));
            } else {
                storeLocator(current().numeric.point(drop.point));
            }
            locate(LocateMode::ByValue);
            break;
        case ScrollThumb::Drop::Action::Ignore:
            break;
    }
}

}  // namespace cdz
