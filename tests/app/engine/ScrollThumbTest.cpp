// The thumb's place on selections and movements, and what a drop does.
#include <gtest/gtest.h>

#include "app/engine/browse/KeyDistribution.h"
#include "app/engine/browse/ScrollThumb.h"

namespace cdz::test {
namespace {

using Drop = ScrollThumb::Drop;
using Move = ScrollThumb::Move;

TEST(ScrollThumb, EmptyViewHidesTheThumbAndKeepsTheDistribution) {
    KeyDistribution titles(40, kThumbLetters, KeyCollation(true));
    titles.build("Abbey Road", "Zooropa");
    ScrollThumb thumb;
    thumb.placeThumb(true, titles.thumbPosition("Nevermind"));
    EXPECT_TRUE(thumb.visible());
    EXPECT_GT(thumb.position(), 0);

    const std::string middle = titles.point(50);
    // The view is now empty: the browse does not rebuild, and its page is not full.
    thumb.placeThumb(false, titles.thumbPosition(""));
    EXPECT_FALSE(thumb.visible());
    EXPECT_EQ(titles.point(50), middle);

    // An order without a distribution leaves the place as it was.
    thumb.placeThumb(true, 37);
    thumb.placeThumb(true, std::nullopt);
    EXPECT_TRUE(thumb.visible());
    EXPECT_EQ(thumb.position(), 37);
}

TEST(ScrollThumb, AfterMovementsWithoutDistribution) {
    struct Case {
        bool pageFull;
        Move move;
        bool metEnd;
        int position;
    };
    const Case cases[] = {
        {true, Move::Down, false, 50}, {true, Move::Up, false, 50},  {true, Move::Down, true, 100},
        {true, Move::Up, true, 0},     {false, Move::Down, true, 0}, {false, Move::Up, false, 0},
    };
    for (const Case& c : cases) {
        ScrollThumb thumb;
        thumb.placeThumb(true, 42);
        thumb.placeThumbAfterMovement(c.pageFull, c.move, c.metEnd);
        EXPECT_EQ(thumb.position(), c.position) << c.pageFull << c.metEnd;
        EXPECT_EQ(thumb.visible(), c.pageFull);
    }
}

TEST(ScrollThumb, DropsAtTheEndsMoveThereAndElsewhereLocateByAPoint) {
    struct Case {
        int position;
        bool hasDistribution;
        Drop drop;
    };
    const Case cases[] = {
        {0, true, {Drop::Action::Top, 0}},      {1, false, {Drop::Action::Top, 0}},
        {100, true, {Drop::Action::Bottom, 0}}, {100, false, {Drop::Action::Bottom, 0}},
        {2, true, {Drop::Action::Locate, 2}},   {50, true, {Drop::Action::Locate, 50}},
        {99, true, {Drop::Action::Locate, 99}}, {50, false, {Drop::Action::Ignore, 0}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ScrollThumb::dropThumb(c.position, c.hasDistribution), c.drop) << c.position;
}

}  // namespace
}  // namespace cdz::test
