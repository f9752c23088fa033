// Track lists pasted in the shapes they are copied in: numbered or not, with lengths or not,
// from vinyl sides, with blank lines between.
#include <gtest/gtest.h>

#include "app/albums/wizard/PastedTitles.h"

namespace cdz {
namespace {

using Titles = std::vector<std::string>;

TEST(PastedTitles, TakesTheTitleOfEveryShapeOfTrackList) {
    const struct {
        const char* shape;
        const char* text;
        Titles titles;
    } cases[] = {
        {"plain", "Blue Hour\nSalt Roads\n", {"Blue Hour", "Salt Roads"}},
        {"dotted numbers", "1. Blue Hour\n2. Salt Roads", {"Blue Hour", "Salt Roads"}},
        {"zero-padded with a dash",
         "01 - Blue Hour\r\n02 - Salt Roads\r\n",
         {"Blue Hour", "Salt Roads"}},
        {"parenthesis", "1) Blue Hour\n2) Salt Roads", {"Blue Hour", "Salt Roads"}},
        {"numbers and blanks only", "01 Blue Hour\n02 Salt Roads", {"Blue Hour", "Salt Roads"}},
        {"vinyl sides",
         "A1 Blue Hour\nA2 Salt Roads\nB1. Tidewater",
         {"Blue Hour", "Salt Roads", "Tidewater"}},
        {"lengths in parentheses",
         "Blue Hour (3:45)\nSalt Roads (12:05)",
         {"Blue Hour", "Salt Roads"}},
        {"lengths bare, bracketed, after a dash, with hours",
         "Blue Hour 3:45\nSalt Roads [4:10]\nTidewater - 2:05\nLong Night\t1:02:03",
         {"Blue Hour", "Salt Roads", "Tidewater", "Long Night"}},
        {"numbers and lengths",
         "1. Blue Hour (3:45)\n2. Salt Roads - 4:10",
         {"Blue Hour", "Salt Roads"}},
        {"empty lines and blanks skipped",
         "\n  Blue Hour  \n\n\t\nSalt   Roads\n\n",
         {"Blue Hour", "Salt Roads"}},
        {"a number that is the title", "1. 1979\n2. 99 Problems", {"1979", "99 Problems"}},
        {"a title starting with a number in an unnumbered list",
         "7 Seconds\nBlue Hour\n1979",
         {"7 Seconds", "Blue Hour", "1979"}},
        {"lines of a number or a length alone", "1.\nBlue Hour\n3:45\n", {"Blue Hour"}},
        {"a time inside the title", "Meet Me at 4:30 Sharp", {"Meet Me at 4:30 Sharp"}},
        {"accents kept", "1. Café Noël", {"Café Noël"}},
        {"nothing", "\n \n", {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PastedTitles(c.text).titles(), c.titles) << c.shape;
    }
}

TEST(PastedTitles, TellsWhatWasUsedAndWhatWasLeft) {
    const PastedTitles three("One\nTwo\nThree");
    EXPECT_EQ(three.report(3), "Titles were pasted from 3 lines.");
    EXPECT_EQ(three.report(5), "Titles were pasted from 3 lines. 2 tracks were left untitled.");
    EXPECT_EQ(three.report(4), "Titles were pasted from 3 lines. 1 track was left untitled.");
    EXPECT_EQ(three.report(2), "Titles were pasted from 2 lines. 1 line was left over.");
    EXPECT_EQ(PastedTitles("One").report(1), "Titles were pasted from 1 line.");
}

}  // namespace
}  // namespace cdz
