#include "app/engine/browse/ScrollThumb.h"

namespace cdz {

namespace {

constexpr int kMiddle = 50;
constexpr int kEnd = 100;

}  // namespace

void ScrollThumb::placeThumb(bool pageFull, std::optional<int> estimate) {
    visible_ = pageFull;
    if (pageFull && estimate) position_ = *estimate;
}

void ScrollThumb::placeThumbAfterMovement(bool pageFull, Move move, bool metEnd) {
    visible_ = pageFull;
    if (!pageFull)
        position_ = 0;
    else if (metEnd)
        position_ = move == Move::Up ? 0 : kEnd;
    else
        position_ = kMiddle;
}

ScrollThumb::Drop ScrollThumb::dropThumb(int position, bool hasDistribution) {
    if (position <= 1) return {Drop::Action::Top};
    if (position >= kEnd) return {Drop::Action::Bottom};
    if (!hasDistribution) return {Drop::Action::Ignore};
    return {Drop::Action::Locate, position};
}

}  // namespace cdz
