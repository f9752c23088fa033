// Window resizing's geometry: each rule's placing, and the cases a user sees
// (a form enlarged, a browse brought back to its opening size, the same size twice).
#include <gtest/gtest.h>

#include "app/engine/resize/ResizeList.h"

namespace cdz::test {
namespace {

// Places one control of a 400 x 300 window for the window's new size.
QRect placed(QRect opening, ResizeRules rules, QSize now) {
    ResizeList list(ResizeMode::Browse, {400, 300});
    list.add({1, ControlKind::Other, opening, rules});
    const auto places = list.place(now);
    return places.size() == 1 ? places[0].geometry : QRect();
}

TEST(ResizeList, EachRulePlacesItsControl) {
    // Near the top left and near the bottom right of the window.
    const QRect tl(100, 50, 80, 20), br(300, 250, 80, 20);
    const int kBoth = kKeepWidth | kKeepHeight;
    struct Case {
        const char* what;
        QRect opening;
        ResizeRules rules;
        QRect expected;  // at 600 x 450
    };
    const Case cases[] = {
        {"no rule scales", tl, {0, 0}, {150, 75, 120, 30}},
        {"keep, sizes scaled", tl, {kHorzKeep | kVertKeep, 0}, {100, 50, 120, 30}},
        {"keep, sizes kept", tl, {kHorzKeep | kVertKeep, kBoth}, {100, 50, 80, 20}},
        {"right/bottom, sizes scaled", tl, {kHorzRight | kVertBottom, 0}, {150, 75, 120, 30}},
        {"right/bottom, gaps kept", tl, {kHorzRight | kVertBottom, kBoth}, {300, 200, 80, 20}},
        {"left/top, sizes kept", tl, {kHorzLeft | kVertTop, kBoth}, {100, 50, 80, 20}},
        {"centre, sizes scaled", tl, {kHorzCentre | kVertCentre, 0}, {150, 75, 120, 30}},
        {"centre, offset kept", tl, {kHorzCentre | kVertCentre, kBoth}, {200, 125, 80, 20}},
        {"automatic at the top left", tl, {kHorzAuto | kVertAuto, kBoth}, {100, 50, 80, 20}},
        {"automatic at the bottom right", br, {kHorzAuto | kVertAuto, kBoth}, {500, 400, 80, 20}},
        {"right, and top keeping height",
         tl,
         {kHorzRight | kVertTop, kKeepHeight},
         {150, 50, 120, 20}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(placed(c.opening, c.rules, {600, 450}), c.expected) << c.what;
    // Shrunk; and only wider, where the vertical rule has nothing to do.
    EXPECT_EQ(placed(br, {kHorzAuto | kVertAuto, kBoth}, {200, 150}), QRect(100, 100, 80, 20));
    EXPECT_EQ(placed(br, {kHorzAuto | kVertAuto, kBoth}, {600, 300}), QRect(500, 250, 80, 20));
}

TEST(ResizeList, EnlargedFormMovesButtonsWithNearerEdgesAndGrowsTextBoxes) {
    ResizeList form(ResizeMode::Form, {400, 300});
    form.add(3, ControlKind::Button, {320, 260, 70, 24});  // Cancel
    form.add(1, ControlKind::Entry, {10, 10, 200, 22});
    form.add(2, ControlKind::Button, {240, 260, 70, 24});  // OK
    form.add(4, ControlKind::Other, {10, 40, 380, 200});   // a text box of several lines
    const auto placed = form.place({600, 450});
    ASSERT_EQ(placed.size(), 4u);
    EXPECT_EQ(placed[0].geometry, QRect(15, 15, 300, 22));   // wider, same height
    EXPECT_EQ(placed[1].geometry, QRect(440, 410, 70, 24));  // OK: 90 from the right, 16 below
    EXPECT_EQ(placed[2].geometry, QRect(520, 410, 70, 24));  // Cancel likewise
    EXPECT_EQ(placed[3].geometry, QRect(15, 60, 570, 300));  // scaled both ways
}

TEST(ResizeList, BrowseBackAtItsOpeningSizeRestoresEveryControl) {
    ResizeList browse(ResizeMode::Browse, {437, 311});
    const QRect places[] = {
        {7, 9, 423, 250}, {7, 266, 61, 23}, {75, 266, 61, 23}, {369, 266, 61, 23}, {143, 3, 1, 1}};
    for (int i = 0; i < 5; ++i) browse.add(i + 1, ControlKind::Other, places[i]);
    browse.place({913, 577});
    browse.place({251, 199});
    const auto back = browse.place({437, 311});
    ASSERT_EQ(back.size(), 5u);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(back[static_cast<size_t>(i)].geometry, places[i]) << i;
}

TEST(ResizeList, SameSizeAgainPlacesNothing) {
    ResizeList list(ResizeMode::Form, {400, 300});
    list.add(0, ControlKind::Entry, {1, 1, 10, 10});  // the window itself is not a control
    list.add(1, ControlKind::Entry, {10, 10, 200, 22});
    EXPECT_EQ(list.entries().size(), 1u);
    EXPECT_EQ(list.place({400, 300}).size(), 1u);  // the first placing always places
    EXPECT_TRUE(list.place({400, 300}).empty());
    EXPECT_EQ(list.place({500, 300}).size(), 1u);
    EXPECT_TRUE(list.place({500, 300}).empty());
}

}  // namespace
}  // namespace cdz::test
