#pragma once
// The list's vertical thumb, which a browse places without counting its view: hidden while the
// page shows the whole view, else at 0 to 100 from the sort order's key distribution (or at 50
// and the ends, for orders without one). A dropped thumb becomes a movement or a locate.
#include <optional>

namespace cdz {

class ScrollThumb {
public:
    enum class Move { Up, Down };
    struct Drop {
        enum class Action { Top, Bottom, Locate, Ignore };
        Action action;
        int point = 0;  // for Locate: the distribution's point (2 to 99) to locate by value
        friend bool operator==(const Drop&, const Drop&) = default;
    };

    bool visible() const { return visible_; }
    int position() const { return position_; }

    // On every new selection. `estimate`: the distribution's place for the highlighted record
    // (its thumbPosition), absent for an order without a distribution (the place stays).
    void placeThumb(bool pageFull, std::optional<int> estimate);
    // After every movement, for orders without a distribution. A movement to the top or to the
    // bottom is an upward or downward movement that met the end.
    void placeThumbAfterMovement(bool pageFull, Move move, bool metEnd);
    // The thumb dropped at `position` (0 to 100).
    static Drop dropThumb(int position, bool hasDistribution);

private:
    bool visible_ = false;
    int position_ = 0;
};

}  // namespace cdz
