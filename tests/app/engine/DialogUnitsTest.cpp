#include "app/engine/resize/DialogUnits.h"

#include <gtest/gtest.h>

namespace cdz {
namespace {

TEST(DialogUnits, ScaleByTheFontAndRoundToTheNearest) {
    struct Case {
        int units, metric, pixels;
    };
    // across: 4 units per average character width
    for (const Case& c :
         {Case{75, 6, 113}, Case{4, 5, 5}, Case{0, 6, 0}, Case{-8, 6, -12}, Case{2, 7, 4}}) {
        EXPECT_EQ(dialogUnitsToPixelsX(c.units, c.metric), c.pixels) << c.units << "/" << c.metric;
    }
    // down: 8 units per character height
    for (const Case& c : {Case{8, 13, 13}, Case{14, 13, 23}, Case{196, 16, 392}}) {
        EXPECT_EQ(dialogUnitsToPixelsY(c.units, c.metric), c.pixels) << c.units << "/" << c.metric;
    }
    EXPECT_EQ(pixelsToDialogUnitsX(113, 6), 75);
    EXPECT_EQ(pixelsToDialogUnitsX(-12, 6), -8);
    EXPECT_EQ(pixelsToDialogUnitsY(23, 13), 14);
    // no font metrics yet: no division by zero
    EXPECT_EQ(dialogUnitsToPixelsX(8, 0), 2);
    EXPECT_EQ(pixelsToDialogUnitsY(3, -1), 24);
}

TEST(DialogUnits, AWidthComesBackFromItsPixels) {
    for (int charWidth = 4; charWidth <= 9; ++charWidth) {
        for (int units = 0; units <= 400; ++units) {
            EXPECT_EQ(pixelsToDialogUnitsX(dialogUnitsToPixelsX(units, charWidth), charWidth),
                      units)
                << units << " at " << charWidth;
        }
    }
}

}  // namespace
}  // namespace cdz
